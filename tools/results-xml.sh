# Sourced, not run: collects one pass or fail per check and writes them as GoogleTest-style XML,
# so tools/count-results.py counts them with the test programs' results.
#
#   result_case NAME ok|fail [MESSAGE]   records one check
#   results_write FILE SUITE             writes the checks recorded so far

result_lines=()

xml_escape() {
  local text=$1
  text=${text//&/&amp;}
  text=${text//</&lt;}
  text=${text//>/&gt;}
  text=${text//\"/&quot;}
  printf '%s' "$text"
}

result_case() {
  local name status message
  name=$(xml_escape "$1")
  status=$2
  message=$(xml_escape "${3:-}")
  if [ "$status" = ok ]; then
    result_lines+=("    <testcase name=\"$name\"/>")
  else
    result_lines+=("    <testcase name=\"$name\"><failure message=\"$message\"/></testcase>")
  fi
}

results_write() {
  local file=$1 suite=$2
  {
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo "<testsuites>"
    echo "  <testsuite name=\"$suite\">"
    printf '%s\n' "${result_lines[@]}"
    echo "  </testsuite>"
    echo "</testsuites>"
  } >"$file"
}
