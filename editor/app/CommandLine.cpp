// CommandLine: parsing the editor's command-line tail and building the command lines of new windows.
#include "CommandLine.h"

CommandLine CommandLine::parse(const std::string& tail) {
    CommandLine result;
    size_t i = 0;
    if (!tail.empty() && tail[0] == ':') {
        i = 1;
        if (i < tail.size() && tail[i] >= '0' && tail[i] <= '4') result.encoding = tail[i++] - '0';
        if (i < tail.size() && tail[i] == 'H') {
            result.html = true;
            ++i;
        }
        if (i < tail.size() && tail[i] == ' ') ++i;
    }
    if (i < tail.size() && tail[i] == '"') {
        size_t close = tail.find('"', i + 1);
        if (close == std::string::npos) {
            result.path = tail.substr(i + 1);
        } else {
            result.path = tail.substr(i + 1, close - i - 1);
            if (close + 1 < tail.size()) {
                result.hasRemainder = true;
                result.remainder = tail.substr(close + 1);
            }
        }
    } else if (i < tail.size()) {
        result.path = tail.substr(i);
    }
    return result;
}

bool programToken(const std::string& commandLine, std::string* token) {
    if (!commandLine.empty() && commandLine[0] == '"') {
        size_t close = commandLine.find('"', 1);
        if (close == std::string::npos) return false;
        *token = commandLine.substr(0, close + 1);
        return true;
    }
    *token = commandLine.substr(0, commandLine.find(' '));
    return true;
}

std::string programFolder(const std::string& commandLine) {
    std::string token;
    if (!programToken(commandLine, &token)) token = commandLine.substr(1);
    if (!token.empty() && token[0] == '"') token = token.substr(1, token.size() >= 2 ? token.size() - 2 : 0);
    size_t slash = token.rfind('\\');
    return slash == std::string::npos ? std::string() : token.substr(0, slash + 1);
}

std::string newWindowCommandLine(const std::string& token, const std::string* path, int encoding) {
    if (!path) return token;
    std::string line = token + " :";
    line += static_cast<char>('0' + encoding);
    line += '"';
    line += *path;
    line += '"';
    return line;
}
