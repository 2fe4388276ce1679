// The container side of one hosted ActiveX control (see ViewerSite.h).
#include "ViewerSite.h"

namespace pagetool {

namespace {
template <class T>
void release(T*& p) {
    if (p) p->Release();
    p = nullptr;
}
}  // namespace

bool ViewerSite::createControl(const CLSID& id) {
    if (FAILED(CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&control_))))
        return false;
    if (FAILED(control_->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object_)))) {
        release(control_);
        return false;
    }
    object_->SetClientSite(static_cast<IOleClientSite*>(this));
    RECT area;
    GetClientRect(window_, &area);
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0, window_,
                               &area))) {
        closeControl();
        return false;
    }
    object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace_));
    return true;
}

void ViewerSite::resize(int width, int height) {
    if (!inPlace_) return;
    RECT area = {0, 0, width, height};
    inPlace_->SetObjectRects(&area, &area);
}

void ViewerSite::focus() {
    if (!object_) return;
    RECT area;
    GetClientRect(window_, &area);
    object_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0, window_, &area);
}

void ViewerSite::closeControl() {
    if (inPlace_) inPlace_->InPlaceDeactivate();
    release(inPlace_);
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
    }
    release(object_);
    release(control_);
}

IUnknown* ViewerSite::control() {
    if (control_) control_->AddRef();
    return control_;
}

IUnknown* ViewerSite::host() {
    AddRef();
    return static_cast<IOleClientSite*>(this);
}

STDMETHODIMP ViewerSite::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        *out = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *out = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
        *out = static_cast<IOleInPlaceFrame*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ViewerSite::AddRef() { return InterlockedIncrement(&references_); }

STDMETHODIMP_(ULONG) ViewerSite::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP ViewerSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ViewerSite::GetContainer(IOleContainer** out) {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP ViewerSite::GetWindow(HWND* out) {
    if (!out) return E_POINTER;
    *out = window_;
    return S_OK;
}

STDMETHODIMP ViewerSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                          LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (frame) {
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
    }
    if (document) *document = nullptr;
    if (position) GetClientRect(window_, position);
    if (clip) GetClientRect(window_, clip);
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = GetAncestor(window_, GA_ROOT);
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

STDMETHODIMP ViewerSite::OnPosRectChange(LPCRECT position) {
    if (inPlace_ && position) inPlace_->SetObjectRects(position, position);
    return S_OK;
}

}  // namespace pagetool
