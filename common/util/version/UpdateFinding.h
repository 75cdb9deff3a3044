// UpdateFinding: what one update check found, as an identifier and its values, and its words.
#pragma once

#include "common/String.h"

#include <cstdint>

namespace util {
namespace version {

// The finding of one check in data: which outcome, and the values its sentence names,
// so that the decision (UpdateQuery) is tested by its values and every sentence of a
// check's box comes from one place (GetSentence). Texts a field does not apply to stay
// empty, and expiry -1.
struct UpdateFinding {
    enum class Kind {
        Offer,           // the reply offers release, newer than running, as a valid statement names it
        UpToDate,        // a valid statement, valid until expiry, and nothing newer than running
        NoAnswer,        // no reply: why is the request's failure, a phrase
        NotAReply,       // a reply that does not read as one
        UnsignedOffer,   // the reply offers release, newer than running, without a valid statement
        Unsigned,        // no valid statement, and nothing newer offered
        Keyless,         // the build has no publisher key to check with
        Expired,         // the valid statement has expired
        Replayed,        // the valid statement names release, older than released (seen before)
        OtherRelease,    // the reply offers release, the valid statement names released
        NothingOffered,  // the valid statement names a newer release, the reply offers none
    };

    Kind kind = Kind::NotAReply;
    String name;     // the program's name, as the statements give it
    String running;  // the running version
    String release;
    String released;
    String newest;  // the newest version seen signed, this check included; empty for none
    String why;
    int64_t expiry = -1;  // seconds since 1970 UTC

    // The text of the box that tells the finding, in the language chosen now (Language):
    // its sentence, and, when nothing is offered although a release newer than the
    // running one has been seen signed, a second paragraph saying so. The expiry is a
    // date as that language writes it (DateText). Empty for Offer, which the offer box
    // asks about.
    String GetSentence() const;
};

}  // namespace version
}  // namespace util
