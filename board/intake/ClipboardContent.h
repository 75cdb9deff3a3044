// ClipboardContent: what the clipboard holds when the player pastes.
#pragma once

#include <string>
#include <utility>

// The window reads the clipboard into this and hands it to the board controller, which
// decides what to do with it: only text and a web page's HTML can hold a puzzle, and
// every other kind gets a sentence of its own.
struct ClipboardContent {
    enum Kind {
        kText,     // text or HTML: the first PuzzleExchange::kMaxBytes characters of the text
        kNothing,  // an empty clipboard
        kPicture,  // a bitmap or a metafile, and no text
        kFiles,    // files copied in Explorer, and no text
        kOther,    // something else, and no text
        kBusy,     // another program has the clipboard open
    };

    ClipboardContent() = default;
    ClipboardContent(Kind kind, std::wstring text, std::string html = {})
        : kind(kind), text(std::move(text)), html(std::move(html)) {}

    Kind kind = kNothing;
    std::wstring text;
    // With kText: the clipboard's "HTML Format" beside the text, as it stands (a header
    // of byte offsets, then UTF-8), at most PuzzleExchange::kMaxBytes of it; empty when
    // there is none. A browser puts a copied part of a web page there.
    std::string html;
};
