#include "tests/fakes/fake_file_system.h"

namespace {

const char kAllEntries[] = "\\*.*";

// The lookup key: trailing backslashes do not change which file a path names.
std::string KeyOf(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

std::string ParentOf(const std::string& key) {
  const std::string::size_type slash = key.rfind('\\');
  return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

}  // namespace

void FakeFileSystem::AddFolder(const std::string& path, unsigned long attributes) {
  const std::string key = KeyOf(path);
  AddParents(key);
  nodes_[key] = {attributes | kDirectory, ""};
}

void FakeFileSystem::AddFile(const std::string& path, unsigned long attributes) {
  const std::string key = KeyOf(path);
  AddParents(key);
  nodes_[key] = {attributes & ~kDirectory, ""};
}

void FakeFileSystem::AddFolderLink(const std::string& path, const std::string& target) {
  const std::string key = KeyOf(path);
  AddParents(key);
  nodes_[key] = {kDirectory | kReparsePoint, KeyOf(target)};
}

void FakeFileSystem::AddFileLink(const std::string& path, const std::string& target) {
  const std::string key = KeyOf(path);
  AddParents(key);
  nodes_[key] = {kArchive | kReparsePoint, KeyOf(target)};
}

bool FakeFileSystem::Exists(const std::string& path) const {
  return Find(Resolve(path)) != nullptr;
}

bool FakeFileSystem::IsFolder(const std::string& path) const {
  const Node* node = Find(Resolve(path));
  return node != nullptr && node->IsFolder();
}

std::vector<std::string> FakeFileSystem::ListTree(const std::string& root) const {
  const std::string key = KeyOf(root);
  std::vector<std::string> paths;
  for (const auto& [path, node] : nodes_) {
    if (!key.empty() && path != key && !StartsWith(path, key + "\\")) continue;
    paths.push_back(node.IsFolder() ? path + "\\" : path);
  }
  return paths;
}

std::vector<std::string> FakeFileSystem::CallsOf(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& call : calls) {
    if (StartsWith(call, prefix)) found.push_back(call);
  }
  return found;
}

int FakeFileSystem::PathFileExists(const std::string& path) {
  calls.push_back("PathFileExists " + path);
  return Exists(path) ? 1 : 0;
}

unsigned FakeFileSystem::PathIsDirectory(const std::string& path) {
  calls.push_back("PathIsDirectory " + path);
  return IsFolder(path) ? kDirectory : 0;
}

int FakeFileSystem::PathIsDirectoryEmpty(const std::string& path) {
  calls.push_back("PathIsDirectoryEmpty " + path);
  std::string key = Resolve(path);
  const Node* node = Find(key);
  if (node != nullptr && !node->linkTarget.empty()) {
    key = Resolve(node->linkTarget);
    node = Find(key);
  }
  return node != nullptr && node->IsFolder() && ChildrenOf(key).empty() ? 1 : 0;
}

// Makes every folder before the last backslash, root first; fails on a file in the way.
int FakeFileSystem::MakeSureDirectoryPathExists(const std::string& path) {
  calls.push_back("MakeSureDirectoryPathExists " + path);
  if (dbghelpMissing) return 0;
  for (std::string::size_type slash = path.find('\\', 1); slash != std::string::npos;
       slash = path.find('\\', slash + 1)) {
    const std::string key = Resolve(path.substr(0, slash));
    const Node* node = Find(key);
    if (node == nullptr) {
      nodes_[key] = {kDirectory, ""};
    } else if (!node->IsFolder()) {
      return 0;
    }
  }
  return 1;
}

bool FakeFileSystem::MoveFileTo(const std::string& from, const std::string& to) {
  calls.push_back("MoveFileTo " + from + " -> " + to);
  const std::string source = Resolve(from);
  const std::string target = Resolve(to);
  if (failMove || Find(source) == nullptr || Find(target) != nullptr) return false;
  const Node* parent = Find(ParentOf(target));
  if (!ParentOf(target).empty() && (parent == nullptr || !parent->IsFolder())) return false;
  std::map<std::string, Node> moved;
  for (auto it = nodes_.begin(); it != nodes_.end();) {
    if (it->first == source || StartsWith(it->first, source + "\\")) {
      moved[target + it->first.substr(source.size())] = it->second;
      it = nodes_.erase(it);
    } else {
      ++it;
    }
  }
  nodes_.insert(moved.begin(), moved.end());
  return true;
}

// Lists "." and ".." and then the folder's entries; a folder link lists its target's entries.
bool FakeFileSystem::FindFiles(const std::string& pattern,
                               std::vector<platform::FoundEntry>* entries) {
  calls.push_back("FindFiles " + pattern);
  const std::string suffix = kAllEntries;
  if (failFind.count(pattern) != 0 || pattern.size() <= suffix.size() ||
      pattern.compare(pattern.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return false;
  }
  std::string key = Resolve(pattern.substr(0, pattern.size() - suffix.size()));
  const Node* node = Find(key);
  if (node != nullptr && !node->linkTarget.empty()) {
    key = Resolve(node->linkTarget);
    node = Find(key);
  }
  if (node == nullptr || !node->IsFolder()) return false;
  entries->push_back({".", node->attributes});
  entries->push_back({"..", kDirectory});
  for (const std::string& child : ChildrenOf(key)) {
    entries->push_back({child.substr(key.size() + 1), nodes_.at(child).attributes});
  }
  return true;
}

// A file link is removed as a link; a folder, a read-only file and a listed path refuse.
bool FakeFileSystem::DeleteOneFile(const std::string& path) {
  calls.push_back("DeleteOneFile " + path);
  const std::string key = Resolve(path);
  const Node* node = Find(key);
  if (node == nullptr || node->IsFolder() || (node->attributes & kReadOnly) != 0 ||
      failRemove.count(path) != 0) {
    return false;
  }
  nodes_.erase(key);
  return true;
}

// A folder link is removed as a link, whatever its target holds.
bool FakeFileSystem::RemoveOneDirectory(const std::string& path) {
  calls.push_back("RemoveOneDirectory " + path);
  const std::string key = Resolve(path);
  const Node* node = Find(key);
  if (node == nullptr || !node->IsFolder() || failRemove.count(path) != 0) return false;
  if (node->linkTarget.empty() && !ChildrenOf(key).empty()) return false;
  nodes_.erase(key);
  return true;
}

const FakeFileSystem::Node* FakeFileSystem::Find(const std::string& key) const {
  const auto it = nodes_.find(key);
  return it == nodes_.end() ? nullptr : &it->second;
}

// Follows every link on the way to the path's last component; the component itself is kept.
std::string FakeFileSystem::Resolve(const std::string& path) const {
  std::string key = KeyOf(path);
  for (std::string::size_type slash = key.find('\\'); slash != std::string::npos;
       slash = key.find('\\', slash + 1)) {
    const Node* node = Find(key.substr(0, slash));
    if (node != nullptr && !node->linkTarget.empty()) {
      key = node->linkTarget + key.substr(slash);
      slash = node->linkTarget.size();
    }
  }
  return key;
}

std::vector<std::string> FakeFileSystem::ChildrenOf(const std::string& key) const {
  const std::string prefix = key + "\\";
  std::vector<std::string> children;
  for (auto it = nodes_.lower_bound(prefix); it != nodes_.end() && StartsWith(it->first, prefix);
       ++it) {
    if (it->first.find('\\', prefix.size()) == std::string::npos) children.push_back(it->first);
  }
  return children;
}

void FakeFileSystem::AddParents(const std::string& key) {
  for (std::string::size_type slash = key.find('\\'); slash != std::string::npos;
       slash = key.find('\\', slash + 1)) {
    nodes_.emplace(key.substr(0, slash), Node{kDirectory, ""});
  }
}
