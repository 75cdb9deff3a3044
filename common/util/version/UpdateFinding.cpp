// UpdateFinding: what one update check found, as an identifier and its values, and its words.
#include "UpdateFinding.h"

#include "Version.h"

#include "common/util/DateText.h"
#include "languages/Language.h"

#include <string>

namespace util {
namespace version {

String UpdateFinding::GetSentence() const {
    const std::wstring name = this->name.ToWide();
    std::wstring text;
    switch (kind) {
    case Kind::Offer: break;
    case Kind::UpToDate:
        text = Language::Say(TextId::kUpdateUpToDate,
                             {name, running.ToWide(), DateText(expiry).InCurrentLanguage().ToWide()});
        break;
    case Kind::NoAnswer: text = Language::Say(TextId::kUpdateNoAnswer, {why.ToWide()}); break;
    case Kind::NotAReply: text = Language::Text(TextId::kUpdateNotAReply); break;
    case Kind::UnsignedOffer: text = Language::Say(TextId::kUpdateUnsignedOffer, {name, release.ToWide()}); break;
    case Kind::Unsigned: text = Language::Say(TextId::kUpdateUnsigned, {name}); break;
    case Kind::Keyless: text = Language::Say(TextId::kUpdateKeyless, {name}); break;
    case Kind::Expired: text = Language::Say(TextId::kUpdateExpired, {name}); break;
    case Kind::Replayed:
        text = Language::Say(TextId::kUpdateReplayed, {name, release.ToWide(), released.ToWide()});
        break;
    case Kind::OtherRelease:
        text = Language::Say(TextId::kUpdateOtherRelease, {name, release.ToWide(), released.ToWide()});
        break;
    case Kind::NothingOffered: text = Language::Text(TextId::kUpdateNothingOffered); break;
    }
    if (kind != Kind::Offer && newest.GetLength() > 0 &&
        Version(newest.GetText()).IsNewerThan(Version(running.GetText()))) {
        text += L"\n\n" + Language::Say(TextId::kUpdateNewestSeen, {name, newest.ToWide()});
    }
    return String(text.c_str());
}

}  // namespace version
}  // namespace util
