// The exports of pagetool.dll, for callers that load it by name: the names to look up and the
// types of the functions behind them. Every export uses the Win32 calling convention; strings are
// code page 932 (Shift_JIS).
#pragma once
#include <windows.h>

// The embedded HTML viewer: the web-browser control in a host window of class "AtlAxWin80". The
// caller positions and shows the host window; the library owns the viewer and frees it in
// HV_DestroyHTMLViewer, which must be called before the library is unloaded.
struct HtmlViewer;

namespace pagetool_exports {

inline constexpr char kLibraryName[] = "pagetool.dll";

inline constexpr char kCreateHtmlViewer[] = "HV_CreateHTMLViewer";
inline constexpr char kDestroyHtmlViewer[] = "HV_DestroyHTMLViewer";
inline constexpr char kNavigate[] = "HV_Navigate";
inline constexpr char kRefresh[] = "HV_Refresh";
inline constexpr char kExternalBrowser[] = "HV_ExternalBrowser";
inline constexpr char kGetRelativePath[] = "RP_GetRelativePath";
inline constexpr char kGetImageTag[] = "RP_GetImageTag";
inline constexpr char kGetAnchorTag[] = "RP_GetAnchorTag";

// Creates the viewer as a hidden 0 x 0 child of `parent`; *host receives its window (when host is
// not null). Null when the control or the HTML engine behind it cannot be created; no window is
// left then.
using CreateHtmlViewerFn = HtmlViewer*(WINAPI*)(HWND parent, HWND* host);
// Releases the control, destroys the host window and frees the viewer; null is ignored.
using DestroyHtmlViewerFn = void(WINAPI*)(HtmlViewer* viewer);
// Shows `url` (a path or a URL in the thread's ANSI code page). FALSE for a null viewer or when the
// control refuses.
using NavigateFn = BOOL(WINAPI*)(HtmlViewer* viewer, const char* url);
// Reloads the page shown.
using RefreshFn = BOOL(WINAPI*)(HtmlViewer* viewer);
// Shows `filePath` in the external browser of `slot` (0-5): by DDE when the browser answers,
// otherwise by starting `browserPath` with the file's URL. FALSE for a slot from 6 on, or when
// neither way worked.
using ExternalBrowserFn = BOOL(WINAPI*)(UINT slot, const char* browserPath, const char* filePath);

// The path tools. `buffer` holds the current document's full path on entry and the text to insert
// on TRUE; `length` is its size in bytes, and nothing is written at or past it. Each shows an
// open-file dialog owned by `owner`; `caption` is the caption of the library's warnings. FALSE
// (buffer contents undefined) on cancel, for a file on another drive or share (after a warning) or
// when the text would not fit.
using GetRelativePathFn = BOOL(WINAPI*)(HWND owner, char* buffer, int length, const char* caption);
// An img tag: `xhtml` closes it with " />" in lower case, else `upperCase` picks the names' case;
// `alwaysAlt` writes alt="" when no alt text was typed. The dialog's panel asks for the alt text
// and whether to add the image's width and height.
using GetImageTagFn = BOOL(WINAPI*)(HWND owner, char* buffer, int length, const char* caption, BOOL xhtml,
                                    BOOL upperCase, BOOL alwaysAlt);
// An anchor: <a href="...">*selected_text*</a>, the mark standing for the selection.
using GetAnchorTagFn = BOOL(WINAPI*)(HWND owner, char* buffer, int length, const char* caption,
                                     BOOL upperCase);

}  // namespace pagetool_exports
