// What tests need around the logging program: the default browser of the
// prefix pointed at a copy of it, and the lines it wrote.
#pragma once

#include <string>
#include <vector>

namespace standins {

// Makes programPath (a Windows path) the open command of http and https
// addresses: "<programPath>" "%1".
bool RegisterUrlHandler(const std::string& programPath);
// Gives both schemes back to Wine's own browser launcher.
bool UnregisterUrlHandler();

// The lines of a log file without their line ends; empty when it is missing.
std::vector<std::string> ReadLogLines(const std::string& path);

// The log a copy of the logging program writes: its path with ".log" for
// the extension.
std::string LogPathOf(const std::string& programPath);

}  // namespace standins
