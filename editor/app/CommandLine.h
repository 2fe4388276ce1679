// CommandLine: the editor's command-line tail (prefix ":" digit "H", one file quoted or not, the
// remainder of a chain of quoted files) and the program path at the start of a full command line.
#pragma once
#include <string>

struct CommandLine {
    int encoding = 0;          // TextEncoding digit 0-4 after the colon (0 = detect)
    bool html = false;         // "H": start in HTML 4.01 Transitional mode
    std::string path;          // the file, empty for none
    bool hasRemainder = false; // something followed the closing quote
    std::string remainder;     // from the character after the closing quote, blanks included

    // Parses the tail after the program name as the system hands it to the program.
    static CommandLine parse(const std::string& tail);
};

// The first token of a full command line: a quoted program path up to and including its closing
// quote, else everything up to the first blank. False for an opening quote without a closing one.
bool programToken(const std::string& commandLine, std::string* token);

// The folder part of the program token (quotes removed) including the last backslash, or empty.
std::string programFolder(const std::string& commandLine);

// The command line of a new editor window: the program token, a blank, a colon, the encoding
// digit and the quoted path; or the program token alone without a path.
std::string newWindowCommandLine(const std::string& programToken, const std::string* path, int encoding);
