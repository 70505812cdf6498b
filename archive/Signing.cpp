#include "archive/Signing.h"

#include <algorithm>
#include <iterator>

#include "archive/Trail.h"

bool isSignMeaning(const std::string& meaning) {
    return std::find(std::begin(kSignMeanings), std::end(kSignMeanings), meaning) !=
           std::end(kSignMeanings);
}

Outcome signLog(Archive& archive, const std::string& path, const Signature& signature,
                LogCheck& check, TrailEntry& entry) {
    if (!isSignMeaning(signature.meaning) || signature.name.empty())
        return {OutcomeKind::Invalid, "a meaning of reviewed, approved or rejected and a name"};
    Outcome outcome;
    check = checkLog(archive, path, outcome);
    if (!outcome.ok()) return outcome;
    if (check.state != LogState::Unchanged) return {OutcomeKind::Refused, path};
    Details details;
    details.text("meaning", signature.meaning).text("name", signature.name);
    if (!signature.comment.empty()) details.text("comment", signature.comment);
    entry = newTrailEntry("sign", check.recorded->path, check.sha256, details.str());
    return archive.append(entry);
}
