// LexTextRun: keyword and URL/e-mail refinement of the text runs of a line.
#include "LexTextRun.h"

#include "KeywordTable.h"
#include "LexLinks.h"

LexTextRefiner::LexTextRefiner(const uint8_t* line, uint32_t length, const KeywordTable* keywords,
                               bool urlRecognition, uint8_t* urlFlags)
    : line_(line), length_(length), keywords_(keywords), urlRecognition_(urlRecognition),
      urlFlags_(urlFlags != nullptr ? urlFlags : &ownFlags_) {}

uint8_t LexTextRefiner::presence() {
    if ((*urlFlags_ & urlflag::Scanned) == 0) {
        LexMatch m;
        uint8_t flags = urlflag::Scanned;
        if (findUrl(line_, length_, &m)) flags |= urlflag::HasUrl;
        if (findMail(line_, length_, &m)) flags |= urlflag::HasMail;
        *urlFlags_ = flags;
    }
    return *urlFlags_;
}

void LexTextRefiner::refine(uint32_t start, uint32_t end, LexTokenBuffer& out) {
    const uint8_t* run = line_ + start;
    const uint32_t length = end - start;
    if (!urlRecognition_) {
        keywordPass(run, length, out);
        return;
    }
    const uint8_t flags = presence();
    const bool wantUrl = (flags & urlflag::HasUrl) != 0, wantMail = (flags & urlflag::HasMail) != 0;
    uint32_t done = 0;
    if (wantUrl || wantMail) {
        LexLinkScanner links(run, length, wantUrl, wantMail);
        LexMatch m;
        while (links.next(&m)) {
            keywordPass(run + done, m.start - done, out);
            out.push(TokenKind::UrlMail, m.length);
            done = m.start + m.length;
        }
    }
    keywordPass(run + done, length - done, out);
}

void LexTextRefiner::keywordPass(const uint8_t* text, uint32_t length, LexTokenBuffer& out) const {
    uint32_t done = 0;
    if (keywords_ != nullptr) {
        uint32_t start = 0, found = 0;
        while (done < length && keywords_->findKeyword(text + done, length - done, &start, &found)) {
            if (start > 0) out.push(TokenKind::Text, start);
            out.push(TokenKind::Keyword, found);
            done += start + found;
        }
    }
    out.push(TokenKind::Text, length - done);
}
