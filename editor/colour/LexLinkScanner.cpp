// LexLinkScanner: merges the URL and e-mail matches of one run into one ordered sequence.
#include "LexLinks.h"

LexLinkScanner::LexLinkScanner(const uint8_t* text, uint32_t length, bool wantUrl, bool wantMail)
    : text_(text), length_(length) {
    if (wantUrl) searchUrl(0);
    if (wantMail) searchMail(0);
}

void LexLinkScanner::searchUrl(uint32_t from) {
    haveUrl_ = from < length_ && findUrl(text_ + from, length_ - from, &url_);
    if (haveUrl_) url_.start += from;
}

void LexLinkScanner::searchMail(uint32_t from) {
    haveMail_ = from < length_ && findMail(text_ + from, length_ - from, &mail_);
    if (haveMail_) mail_.start += from;
}

bool LexLinkScanner::next(LexMatch* match) {
    // A pending match that starts before the last result's end is searched again from there,
    // so results never overlap whatever the recognisers return.
    if (haveUrl_ && url_.start < done_) searchUrl(done_);
    if (haveMail_ && mail_.start < done_) searchMail(done_);
    if (!haveUrl_ && !haveMail_) return false;
    bool takeMail;
    if (haveUrl_ && haveMail_) {
        takeMail = url_.start >= mail_.start;
        LexMatch& first = takeMail ? mail_ : url_;
        const LexMatch& second = takeMail ? url_ : mail_;
        if (second.start > first.start && second.start < first.start + first.length)
            first.length = second.start - first.start;
    } else {
        takeMail = haveMail_;
    }
    *match = takeMail ? mail_ : url_;
    done_ = match->start + match->length;
    if (takeMail)
        searchMail(done_);
    else
        searchUrl(done_);
    return true;
}
