// Waits until it is killed. Copies of it, renamed, stand in for game client processes.
#include <windows.h>

int main() {
  Sleep(INFINITE);
  return 0;
}
