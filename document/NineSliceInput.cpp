#include "document/NineSliceInput.h"

#include <algorithm>
#include <cmath>

namespace {

// More digits than a margin could ever use; kept below what an int holds.
constexpr long long kLargestNumber = 999999999;

std::string quoted(const std::string& text) {
    return '"' + text + '"';
}

// A text without its surrounding blanks, and its value where it is a whole number.
struct WholeNumber {
    std::optional<long long> value;
    std::string trimmed;
};

WholeNumber readWhole(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    WholeNumber result;
    result.trimmed = first == std::string::npos ? "" : text.substr(first, last - first + 1);
    const std::string& digits = result.trimmed;
    std::size_t position = digits.empty() || (digits[0] != '-' && digits[0] != '+') ? 0 : 1;
    const bool negative = position == 1 && digits[0] == '-';
    if (position == digits.size()) {
        return result;
    }
    long long value = 0;
    for (; position < digits.size(); ++position) {
        const char digit = digits[position];
        if (digit < '0' || digit > '9') {
            return result;
        }
        value = std::min(value * 10 + (digit - '0'), kLargestNumber + 1);
    }
    result.value = negative ? -value : value;
    return result;
}

// One value of the panel: which it is, its label, and whether it is a side of the button.
struct FieldRule {
    NineSliceField field;
    const char* label;
    bool isSize;  // a side of the finished button rather than a margin
};

constexpr FieldRule kLeft{NineSliceField::Left, "Rand links", false};
constexpr FieldRule kTop{NineSliceField::Top, "Rand oben", false};
constexpr FieldRule kRight{NineSliceField::Right, "Rand rechts", false};
constexpr FieldRule kBottom{NineSliceField::Bottom, "Rand unten", false};
constexpr FieldRule kWidth{NineSliceField::Width, "Breite", true};
constexpr FieldRule kHeight{NineSliceField::Height, "Höhe", true};

// The value of text for rule, or nothing with the problem added.
std::optional<int> valueOf(const std::string& text, const FieldRule& rule,
                           std::vector<NineSliceProblem>& problems) {
    const WholeNumber number = readWhole(text);
    const std::string label = std::string(rule.label) + ": ";
    const char* side = rule.field == NineSliceField::Width ? "breit" : "hoch";
    std::string message;
    if (number.trimmed.empty()) {
        message = label + "keine Zahl eingegeben.";
    } else if (!number.value) {
        message = label + quoted(number.trimmed) + " ist keine ganze Zahl.";
    } else if (*number.value < 0) {
        message = label + number.trimmed + " ist negativ; " +
                  (rule.isSize ? std::string("ein Knopf ist mindestens 1 Pixel ") + side + "."
                               : std::string("Ränder sind 0 oder mehr Pixel breit."));
    } else if (rule.isSize && *number.value == 0) {
        message = label + "0 ist zu klein; ein Knopf ist mindestens 1 Pixel " + side + ".";
    } else if (rule.isSize && *number.value > kMaxNineSliceSide) {
        message = label + number.trimmed + " ist zu groß; ein Knopf ist höchstens " +
                  std::to_string(kMaxNineSliceSide) + " Pixel " + side + ".";
    } else if (*number.value > kLargestNumber) {
        message = label + number.trimmed + " ist zu groß.";
    } else {
        return static_cast<int>(*number.value);
    }
    problems.push_back({{rule.field}, message});
    return std::nullopt;
}

// A size smaller than both margins of its axis together.
void checkSizeAgainstMargins(std::optional<int> size, std::optional<int> low,
                             std::optional<int> high, const FieldRule& sizeRule,
                             const FieldRule& lowRule, const FieldRule& highRule,
                             std::vector<NineSliceProblem>& problems) {
    if (size && low && high && *size < *low + *high) {
        problems.push_back({{sizeRule.field},
                            std::string(sizeRule.label) + ": " + std::to_string(*size) +
                                " ist kleiner als " + lowRule.label + " und " + highRule.label +
                                " zusammen (" + std::to_string(*low + *high) + ")."});
    }
}

// Margins that leave less than a pixel of the area's length for the middle.
void checkMiddle(int length, std::optional<int> low, std::optional<int> high,
                 const FieldRule& lowRule, const FieldRule& highRule, const char* side,
                 std::vector<NineSliceProblem>& problems) {
    if (low && high && *low + *high >= length) {
        problems.push_back({{lowRule.field, highRule.field},
                            std::string(lowRule.label) + " und " + highRule.label +
                                " lassen zusammen (" + std::to_string(*low + *high) +
                                ") keine Mitte übrig: der Bereich ist " + std::to_string(length) +
                                " Pixel " + side + "."});
    }
}

// The area's edges rounded to whole pixels, left to right and top to bottom.
struct RoundedCut {
    int x1, y1, x2, y2;
    bool exact;  // every edge was a whole pixel already
};

std::optional<RoundedCut> roundedCut(const ResourceArea& area) {
    for (const float value : {area.x1, area.y1, area.x2, area.y2}) {
        if (!std::isfinite(value) || std::abs(value) > kLargestWholeCoordinate) {
            return std::nullopt;
        }
    }
    if (!std::isfinite(area.offsetX) || !std::isfinite(area.offsetY)) {
        return std::nullopt;
    }
    const auto whole = [](float value) { return static_cast<int>(std::round(value)); };
    const bool exact = area.x1 == std::round(area.x1) && area.y1 == std::round(area.y1) &&
                       area.x2 == std::round(area.x2) && area.y2 == std::round(area.y2);
    return RoundedCut{whole(std::min(area.x1, area.x2)), whole(std::min(area.y1, area.y2)),
                      whole(std::max(area.x1, area.x2)), whole(std::max(area.y1, area.y2)), exact};
}

}  // namespace

NineSliceEntries DefaultNineSliceEntries(const ResourceArea& area) {
    NineSliceEntries entries;
    const std::optional<RoundedCut> cut = roundedCut(area);
    const int width = cut ? cut->x2 - cut->x1 : 0;
    const int height = cut ? cut->y2 - cut->y1 : 0;
    const std::string margin = std::to_string(std::max(0, std::min(width, height) / 4));
    entries.left = entries.top = entries.right = entries.bottom = margin;
    entries.width = std::to_string(width);
    entries.height = std::to_string(height);
    return entries;
}

NineSliceCheck CheckNineSlice(const ResourceArea& area, const NineSliceEntries& entries) {
    NineSliceCheck check;
    std::vector<NineSliceProblem>& problems = check.problems;
    const std::optional<RoundedCut> cut = roundedCut(area);
    if (!cut) {
        problems.push_back({{NineSliceField::Area}, "Der Bereich hat keine gültigen Koordinaten."});
    } else {
        if (cut->x2 <= cut->x1) {
            problems.push_back({{NineSliceField::Area},
                                "Der Bereich ist auf ganze Pixel gerundet keinen Pixel breit."});
        }
        if (cut->y2 <= cut->y1) {
            problems.push_back({{NineSliceField::Area},
                                "Der Bereich ist auf ganze Pixel gerundet keinen Pixel hoch."});
        }
        if (!cut->exact) {
            check.note =
                "Der Bereich hat Kanten zwischen ganzen Pixeln; er wird an den "
                "gerundeten Kanten " +
                std::to_string(cut->x1) + ", " + std::to_string(cut->y1) + " – " +
                std::to_string(cut->x2) + ", " + std::to_string(cut->y2) + " geschnitten.";
        }
    }
    const std::size_t areaProblems = problems.size();
    const std::optional<int> left = valueOf(entries.left, kLeft, problems);
    const std::optional<int> top = valueOf(entries.top, kTop, problems);
    const std::optional<int> right = valueOf(entries.right, kRight, problems);
    const std::optional<int> bottom = valueOf(entries.bottom, kBottom, problems);
    const std::optional<int> width = valueOf(entries.width, kWidth, problems);
    const std::optional<int> height = valueOf(entries.height, kHeight, problems);
    if (cut && areaProblems == 0) {
        checkMiddle(cut->x2 - cut->x1, left, right, kLeft, kRight, "breit", problems);
        checkMiddle(cut->y2 - cut->y1, top, bottom, kTop, kBottom, "hoch", problems);
    }
    checkSizeAgainstMargins(width, left, right, kWidth, kLeft, kRight, problems);
    checkSizeAgainstMargins(height, top, bottom, kHeight, kTop, kBottom, problems);
    if (!entries.centre && left == 0 && top == 0 && right == 0 && bottom == 0) {
        problems.push_back({{NineSliceField::Centre},
                            "Mitte zeichnen: ohne Ränder und ohne Mitte bliebe kein Teil "
                            "übrig."});
    }
    if (!problems.empty()) {
        return check;
    }
    NineSliceButton button;
    button.textureId = area.textureId;
    button.x1 = cut->x1;
    button.y1 = cut->y1;
    button.x2 = cut->x2;
    button.y2 = cut->y2;
    button.margins = {*left, *top, *right, *bottom};
    button.centre = entries.centre;
    button.originX = area.offsetX;
    button.originY = area.offsetY;
    button.width = *width;
    button.height = *height;
    check.button = button;
    return check;
}

NineSliceCheck CheckNineSliceResize(const NineSliceSet& set, const std::string& width,
                                    const std::string& height) {
    NineSliceCheck check;
    const NineSliceMargins& margins = set.button.margins;
    const std::optional<int> newWidth = valueOf(width, kWidth, check.problems);
    const std::optional<int> newHeight = valueOf(height, kHeight, check.problems);
    checkSizeAgainstMargins(newWidth, margins.left, margins.right, kWidth, kLeft, kRight,
                            check.problems);
    checkSizeAgainstMargins(newHeight, margins.top, margins.bottom, kHeight, kTop, kBottom,
                            check.problems);
    if (check.problems.empty()) {
        check.button = set.button;
        check.button->width = *newWidth;
        check.button->height = *newHeight;
    }
    return check;
}
