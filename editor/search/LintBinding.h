// LintBinding: the contract with the grammar checker library lint.dll. The check sequence is
// portable (a table of the five functions); LintBinding_win32.cpp loads the library by name and
// fills the table. A failed check releases the checker and unloads the library, so that the
// next check binds again.
#pragma once
#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#define LINT_CALL __stdcall
#else
#define LINT_CALL
#endif

using LintMessageCallback = bool (*)(void* context, int32_t line, const char* text, uint32_t kind);

// The five exports, by the names LINT_CreateObject, LINT_Initialize, LINT_Execute,
// LINT_Execute_Finish and LINT_ReleaseObject.
struct LintFunctions {
    void*(LINT_CALL* createObject)(uint32_t zero) = nullptr;
    int(LINT_CALL* initialize)(void* handle, const void* map, LintMessageCallback callback, void* context,
                               uint32_t options) = nullptr;
    int(LINT_CALL* execute)(void* handle, const char* text, uint32_t length) = nullptr;
    int(LINT_CALL* executeFinish)(void* handle) = nullptr;
    void(LINT_CALL* releaseObject)(void* handle) = nullptr;
    bool complete() const {
        return createObject && initialize && execute && executeFinish && releaseObject;
    }
};

// The document's lines in order: text, length and whether a line break follows.
class LintLineSource {
public:
    virtual ~LintLineSource() = default;
    virtual bool next(const char** text, uint32_t* length, bool* lineBreak) = 0;
};

// One bound checker: its functions and handle. bind() is the library side's job.
class LintSession {
public:
    // Takes the functions of a freshly loaded library: creates the checker. False (and nothing
    // kept) when an export is missing or the handle is 0.
    bool start(const LintFunctions& functions);
    bool started() const { return handle_ != nullptr; }
    // Initialize, each line and "\n" after each broken line, Finish. A false result from any
    // call releases the checker (started() is false afterwards) and returns false.
    bool check(const void* map, uint32_t options, LintMessageCallback callback, void* context,
               LintLineSource& lines);
    void release();

private:
    LintFunctions functions_;
    void* handle_ = nullptr;
};

#ifdef _WIN32
class LibraryOnDemand;
// The editor control's binding: lint.dll loaded on the first check and kept.
class LintBinding {
public:
    LintBinding();
    ~LintBinding();
    LintBinding(const LintBinding&) = delete;
    LintBinding& operator=(const LintBinding&) = delete;
    // False when the library or an export is missing, the handle is 0 or the check failed; the
    // library is then unloaded and the next call binds again.
    bool check(const void* map, uint32_t options, LintMessageCallback callback, void* context,
               LintLineSource& lines);

private:
    LibraryOnDemand* library_;
    LintSession session_;
};
#endif
