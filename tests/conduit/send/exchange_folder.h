// A fresh exchange folder for each test of the send and retrieval steps, and the session's
// path table over it (the steps find their files through SessionPaths()).
#pragma once

#include <string>
#include <vector>

class ExchangeFolder {
 public:
  ExchangeFolder();   // an empty folder under the temporary folder; the path table over it
  ~ExchangeFolder();  // removes the folder and everything in it

  ExchangeFolder(const ExchangeFolder&) = delete;
  ExchangeFolder& operator=(const ExchangeFolder&) = delete;

  const std::string& Path() const { return m_path; }
  std::string PathOf(const std::string& name) const { return m_path + "\\" + name; }

  void Write(const std::string& name, const std::string& bytes) const;
  // The file's bytes; false when it cannot be read.
  bool Read(const std::string& name, std::string* bytes) const;
  bool Exists(const std::string& name) const;
  // The names of the files in the folder, sorted.
  std::vector<std::string> Names() const;
  // Writes the selection file as the companion program does: the path, then the size.
  void WriteSelection(const std::string& pcPath, long long size) const;

 private:
  std::string m_path;
};
