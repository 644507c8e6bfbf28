#include "mirror/account.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr unsigned long kNameCapacity = 50;
}

std::string AccountName(const GetUserNameFunction& getUserName) {
  char buffer[kNameCapacity + 1];
  std::memset(buffer, ' ', kNameCapacity);
  buffer[kNameCapacity] = '\0';
  unsigned long size = kNameCapacity;
  if (!getUserName(buffer, &size)) return std::string();
  // Whatever the call wrote, the text ends inside the buffer.
  buffer[kNameCapacity] = '\0';
  return std::string(buffer, std::find(buffer, buffer + kNameCapacity, '\0'));
}

std::string PipDirectoryPath(const std::string& accountName) {
  return "C:\\Users\\" + accountName + "\\pip";
}

std::string PipConfigPath(const std::string& accountName) {
  return PipDirectoryPath(accountName) + "\\pip.ini";
}
