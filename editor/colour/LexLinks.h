// URL and e-mail recognisers and the scanner that merges their matches over one text run.
#pragma once
#include <cstdint>

struct LexMatch {
    uint32_t start;
    uint32_t length;
};

// The leftmost URL in text[0, length): a scheme from the fixed list (case-sensitive) at a
// character start, then the URL bytes after it. False when there is none.
bool findUrl(const uint8_t* text, uint32_t length, LexMatch* match);

// The first e-mail address in text[0, length): local part, "@", a domain of at least three mail
// bytes holding a letter and a dot. False when there is none.
bool findMail(const uint8_t* text, uint32_t length, LexMatch* match);

// Yields the URL and e-mail matches of one run in order, without overlap: where a match of one
// kind starts inside a match of the other, the earlier one is cut short there.
class LexLinkScanner {
public:
    // `wantUrl` / `wantMail` say which kinds to search (from the line's cached presence bits).
    LexLinkScanner(const uint8_t* text, uint32_t length, bool wantUrl, bool wantMail);
    LexLinkScanner(const LexLinkScanner&) = delete;
    LexLinkScanner& operator=(const LexLinkScanner&) = delete;

    // The next match, or false when both kinds are exhausted.
    bool next(LexMatch* match);

private:
    void searchUrl(uint32_t from);
    void searchMail(uint32_t from);

    const uint8_t* text_;
    uint32_t length_;
    LexMatch url_{0, 0}, mail_{0, 0};
    bool haveUrl_ = false, haveMail_ = false;
    uint32_t done_ = 0;  // end of the last match handed out
};
