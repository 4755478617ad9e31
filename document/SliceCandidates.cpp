#include "document/SliceCandidates.h"

#include <utility>

SliceCandidates RefusedSlice(std::string message, bool offerGrid) {
    SliceCandidates result;
    result.message = std::move(message);
    result.offerGrid = offerGrid;
    return result;
}

std::string GermanNumber(std::size_t number) {
    const std::string digits = std::to_string(number);
    std::string text;
    for (std::size_t at = 0; at < digits.size(); ++at) {
        if (at != 0 && (digits.size() - at) % 3 == 0) {
            text += '.';
        }
        text += digits[at];
    }
    return text;
}

std::string AreaCountText(std::size_t count) {
    return GermanNumber(count) + (count == 1 ? " Bereich" : " Bereiche");
}

SliceCandidates TooManyCandidates(std::size_t count, const std::string& hint) {
    return RefusedSlice("Das ergäbe " + AreaCountText(count) + ", mehr als " +
                        GermanNumber(kMaxSliceCandidates) + ": " + hint);
}
