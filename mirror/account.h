#pragma once

#include <functional>
#include <string>

// Shaped like GetUserNameA: fills `buffer` with the logon name and a NUL
// and returns true, or returns false.
using GetUserNameFunction =
    std::function<bool(char* buffer, unsigned long* size)>;

// The logon name of the account, or the empty text when the system cannot
// tell. Names of up to 49 characters fit.
std::string AccountName(const GetUserNameFunction& getUserName);

// "C:\Users\<account>\pip" and "C:\Users\<account>\pip\pip.ini".
std::string PipDirectoryPath(const std::string& accountName);
std::string PipConfigPath(const std::string& accountName);
