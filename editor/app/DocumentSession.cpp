// DocumentSession: loading, saving, closing, reloading, the external change check and dropped
// files.
#include "DocumentSession.h"

#include <cstdlib>
#include <cstring>

#include "DocumentWriter.h"
#include "FrameTexts.h"
#include "LineRecord.h"
#include "QuorvaleMessages.h"
#include "SafeSave.h"
#include "SettingsStore.h"
#include "UloResource.h"

namespace {

constexpr size_t kPathSize = DocumentState::kPathSize;

const char* encodingName(int e) {
    switch (e) {
    case 1: return "SJIS";
    case 2: return "JIS";
    case 3: return "EUC";
    case 4: return "UTF-8";
    default: return "";
    }
}

const char* lineEndName(int e) {
    switch (e) {
    case 1: return "CR";
    case 2: return "LF";
    case 3: return "CR+LF";
    default: return "";
    }
}

}  // namespace

DocumentSession::~DocumentSession() { freeImage(); }

void DocumentSession::addCommands(CommandTable& table) {
    auto titled = [this](uint32_t) { return state_.titled(); };
    // A WM_COMMAND may come from a key binding with a stored parameter or from another program:
    // its lParam is never read as a path. The frame opens a path by calling open() itself.
    table.add(CMD_OPEN, plainCommand([this] { openDialog(); }));
    table.add(CMD_CLOSE, plainCommand([this] { closeDocument(false); }));
    table.add(CMD_RELOAD, plainCommand([this] { reload(); }), titled);
    table.add(CMD_SAVE, plainCommand([this] { save(); }), titled);
    table.add(CMD_SAVEAS, plainCommand([this] { saveAs(); }));
    // The file dialogs' added combo boxes report their choice while the dialog is open.
    table.add(CMD_DIALOG_ENCODING, [this](const CommandCall& call) -> intptr_t {
        dialogEncoding_ = static_cast<int>(call.parameter);
        return call.parameter;
    });
    table.add(CMD_DIALOG_LINEEND, [this](const CommandCall& call) -> intptr_t {
        dialogLineEnd_ = static_cast<int>(call.parameter);
        return call.parameter;
    });
}

int DocumentSession::message(const char* format, const char* argument, UINT type) {
    char text[1200];
    std::snprintf(text, sizeof text, format, argument ? argument : "");
    return MessageBoxA(main_, text, ulo_text::kAppName, type);
}

void DocumentSession::setPath(const char* file) {
    state_.setPath(file);
    events_.pathSet(file ? state_.path() : nullptr);
}

void DocumentSession::openChosen(const char* file, int encoding) {
    bool reuse = (settings_.option_flags & OptionFlag::kReuseWindow) != 0;
    if (!state_.isEmpty()) {
        if (!reuse) {
            events_.openInNewWindow(file, encoding);
            return;
        }
        if (!closeDocument(false)) return;
    }
    state_.setLastPath(file);
    if (events_.openElsewhere(file)) return;
    load(file, encoding);
}

void DocumentSession::freeImage() {
    if (rawBuffer_) std::free(rawBuffer_);
    rawBuffer_ = nullptr;
}

bool DocumentSession::readImage(HANDLE file) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart > 0x7FFFFFF0) return false;
    freeImage();
    DWORD count = static_cast<DWORD>(size.QuadPart);
    rawBuffer_ = static_cast<uint8_t*>(std::malloc(count + 1));
    if (!rawBuffer_) return false;
    DWORD read = 0;
    if (!ReadFile(file, rawBuffer_, count, &read, nullptr) || read != count) return false;
    rawSize_ = count;
    GetFileTime(file, nullptr, nullptr, &fileTime_);
    return true;
}

void DocumentSession::resetDocument() {
    editor_.ask(EC_RESET, 0);
    editor_.ask(EC_CONVERT);
    editor_.ask(EC_LOADDONE);
    freeImage();
    rawSize_ = 0;
    state_.resetMarks();
    events_.titleChanged();
    events_.statusChanged(true);
}

bool DocumentSession::load(const char* file, int encoding) {
    HANDLE h = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (GetLastError() != ERROR_SHARING_VIOLATION) {
            message(ulo_text::kCannotOpen, file, MB_ICONERROR);
            return false;
        }
        h = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            message(ulo_text::kInUseCannotOpen, file, MB_ICONERROR);
            return false;
        }
        message(ulo_text::kInUseWarning, file, MB_ICONWARNING);
    }
    bool read = readImage(h);
    CloseHandle(h);
    if (!read) return false;

    uint8_t* bytes = rawBuffer_;
    uint32_t count = rawSize_;
    if (count > 1 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        bytes += 2;
        count -= 2;
        encoding = 5;
    }
    LoadRecord record{count, bytes, 1};
    editor_.ask(EC_RESET, encoding);
    editor_.ask(EC_LOADIMAGE, reinterpret_cast<LPARAM>(&record));
    if (!editor_.ask(EC_CONVERT)) {
        if (encoding != 0) {
            message(ulo_text::kConversionFailed, file, MB_ICONERROR);
            setPath(nullptr);
            resetDocument();
            return false;
        }
        // Detection guessed wrong: the image is read again as Shift_JIS from the file's bytes.
        freeImage();
        HANDLE again = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        bool reread = again != INVALID_HANDLE_VALUE && readImage(again);
        if (again != INVALID_HANDLE_VALUE) CloseHandle(again);
        if (!reread) {
            setPath(nullptr);
            resetDocument();
            return false;
        }
        LoadRecord plain{rawSize_, rawBuffer_, 1};
        editor_.ask(EC_RESET, 1);
        editor_.ask(EC_LOADIMAGE, reinterpret_cast<LPARAM>(&plain));
        editor_.ask(EC_CONVERT);
    }
    askPreferredEncoding();
    askPreferredLineEnd();
    setPath(file);
    editor_.ask(EC_LOADDONE);
    state_.resetMarks();
    events_.titleChanged();
    events_.statusChanged(true);
    state_.setLastPath(file);
    // The document is loaded even when the history cannot be updated: the window keeps it.
    settings_store::removeFromFileHistory(file);
    events_.documentLoaded();
    return true;
}

void DocumentSession::askPreferredEncoding() {
    int preferred = settings_.convert_encoding;
    int current = static_cast<int>(editor_.encoding());
    if (preferred == 0 || preferred == current) return;
    if (!(settings_.option_flags & OptionFlag::kNoConversionWarning)) {
        char text[600];
        std::snprintf(text, sizeof text, ulo_text::kEncodingQuestion, encodingName(current), encodingName(preferred));
        if (MessageBoxA(main_, text, ulo_text::kAppName, MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
    }
    editor_.setEncoding(static_cast<TextEncoding>(preferred));
}

void DocumentSession::askPreferredLineEnd() {
    static const LineEnd map[4] = {LineEnd::None, LineEnd::CrLf, LineEnd::Cr, LineEnd::Lf};
    int setting = settings_.convert_line_end;
    if (setting < 1 || setting > 3) return;
    LineEnd preferred = map[setting];
    LineEnd current = editor_.lineEnd();
    if (preferred == current) return;
    if (!(settings_.option_flags & OptionFlag::kNoConversionWarning)) {
        char text[600];
        std::snprintf(text, sizeof text, ulo_text::kLineEndQuestion, lineEndName(static_cast<int>(current)),
                      lineEndName(static_cast<int>(preferred)));
        if (MessageBoxA(main_, text, ulo_text::kAppName, MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
    }
    editor_.setLineEnd(preferred);
}

bool DocumentSession::writeDocument(std::FILE* stream) {
    TextEncoding encoding = editor_.encoding();
    if (encoding == TextEncoding::Auto) encoding = TextEncoding::ShiftJis;
    LineEnd lineEnd = editor_.lineEnd();
    if (encoding == TextEncoding::Utf16Le && std::fwrite("\xFF\xFE", 1, 2, stream) != 2) return false;
    LineIterator it{};
    for (LRESULT more = editor_.ask(EC_FIRSTLINE, reinterpret_cast<LPARAM>(&it)); more;
         more = editor_.ask(EC_NEXTLINE, reinterpret_cast<LPARAM>(&it))) {
        LineRecord line;
        line.text = const_cast<uint8_t*>(it.text);
        line.length = it.length;
        if (!DocumentWriter::writeLine(encoding, line, stream)) return false;
        if (it.lineEnd && !DocumentWriter::writeLineEnd(encoding, lineEnd, stream)) return false;
    }
    return true;
}

bool DocumentSession::save() {
    if (!state_.titled()) return saveAs();
    const char* path = state_.path();
    SaveResult result = saveSafely(path, [this](std::FILE* stream) { return writeDocument(stream); });
    switch (result) {
    case SaveResult::ReadOnly: message(ulo_text::kReadOnly, path, MB_ICONERROR); return false;
    case SaveResult::CannotOpen: message(ulo_text::kCannotWrite, path, MB_ICONERROR); return false;
    case SaveResult::WriteFailed: message(ulo_text::kSaveFailed, path, MB_ICONERROR); return false;
    case SaveResult::Saved: break;
    }
    if (state_.isModified()) {
        state_.markSaved();
        events_.titleChanged();
    }
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        GetFileTime(h, nullptr, nullptr, &fileTime_);
        CloseHandle(h);
    }
    events_.documentSaved();
    return true;
}

bool DocumentSession::closeDocument(bool closingWindow) {
    if (state_.isModified()) {
        if (GetActiveWindow() != main_) SetForegroundWindow(main_);
        int answer = message(ulo_text::kSaveQuestion, state_.path(), MB_YESNOCANCEL | MB_ICONWARNING);
        if (answer == IDCANCEL) return false;
        if (answer == IDYES && !save()) return false;
    }
    if (closingWindow) ShowWindow(main_, SW_HIDE);
    state_.setLastPath(state_.path());
    if (!closingWindow) setPath(nullptr);
    events_.hidePreview();
    resetDocument();
    events_.clearResults();
    events_.removePreviewCopy();
    if (state_.lastPath()[0]) settings_store::addToFileHistory(state_.lastPath());
    return true;
}

void DocumentSession::reload() {
    if (!state_.titled()) return;
    if (state_.isModified()) {
        if (GetActiveWindow() != main_) SetForegroundWindow(main_);
        if (message(ulo_text::kReloadQuestion, state_.path(), MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2) != IDOK)
            return;
    }
    events_.hidePreview();
    resetDocument();
    events_.clearResults();
    char remembered[kPathSize];
    lstrcpynA(remembered, state_.path(), kPathSize);
    state_.clearPathOnly();
    open(remembered);
    // A file that can no longer be read leaves an empty window: its tabs and atom follow.
    if (!state_.titled()) setPath(nullptr);
}

void DocumentSession::checkExternalChange() {
    if (!state_.titled() || checkingChange_) return;
    HANDLE h = CreateFileA(state_.path(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    FILETIME now;
    bool got = GetFileTime(h, nullptr, nullptr, &now) != 0;
    CloseHandle(h);
    if (got && CompareFileTime(&now, &fileTime_) != 0) {
        fileTime_ = now;
        checkingChange_ = true;  // the question box itself deactivates and reactivates the window
        int answer = MessageBoxA(main_, ulo_text::kChangedOutside, ulo_text::kAppName, MB_YESNO | MB_ICONINFORMATION);
        checkingChange_ = false;
        if (answer == IDYES) reload();
    }
    events_.titleChanged();
}

void DocumentSession::dropFiles(HDROP drop) {
    bool reusable = state_.isEmpty();
    if ((settings_.option_flags & OptionFlag::kReuseWindow) && !reusable) {
        if (!closeDocument(false)) return;
        reusable = true;
    }
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char file[kPathSize] = {};
        if (!DragQueryFileA(drop, i, file, kPathSize - 1)) continue;
        state_.setLastPath(file);
        if (!reusable) {
            events_.openInNewWindow(file, 0);
        } else if (!events_.openElsewhere(file)) {
            load(file, 0);
            SetForegroundWindow(main_);
            reusable = false;
        }
    }
    DragFinish(drop);
}
