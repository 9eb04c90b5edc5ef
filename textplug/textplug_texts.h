#pragma once

#include <string_view>

// The messages of codeplug text import, export and diff, used verbatim.
namespace quorl::textplug::msg {

// Reading the text.
inline constexpr std::string_view kTooLarge =
    "the file is larger than 1 MB; a codeplug text is a few kilobytes";
inline constexpr std::string_view kTooDeep =
    "nested far deeper than a codeplug text (sections, switches and channels, calls)";
inline constexpr std::string_view kTabIndent =
    "a tab in the indentation; YAML indents with spaces only";
inline constexpr std::string_view kNotYaml = "not YAML: ";
inline constexpr std::string_view kStrayComma = "a ',' outside [ ] or { }";
inline constexpr std::string_view kParserStuck = "the text cannot be read on from here";
inline constexpr std::string_view kSecondDocument =
    "a second YAML document; the text holds one codeplug";
inline constexpr std::string_view kNotCodeplugText =
    "not a codeplug text: expected the sections identity, model options, function switches "
    "and channels";
inline constexpr std::string_view kTooManyErrors =
    "too many errors; the rest of the text was not checked";
inline constexpr std::string_view kKeyNotText = "a key must be plain text";
inline constexpr std::string_view kUnknownKey = "unknown key";
inline constexpr std::string_view kDuplicateKey = "given twice";
inline constexpr std::string_view kExpectedMap = "expected keys below this one";
inline constexpr std::string_view kMergeNeedsMap =
    "a merge key (<<) takes a map or a list of maps, such as *F1";
inline constexpr std::string_view kExpectedValue = "expected a single value, not a list or map";

// Applying the values.
inline constexpr std::string_view kMissingSection = "missing section";
inline constexpr std::string_view kMissingValue =
    "missing (give every value, or import with --partial to keep the base's)";
inline constexpr std::string_view kMissingMap =
    "missing (give all of it, or import with --partial to keep the base's)";
inline constexpr std::string_view kEmptyList = ", which offers no item here";
inline constexpr std::string_view kNoFormat =
    "no format key; read as tessaly-vi-quorl/1 (texts exported before the key was written)";
inline constexpr std::string_view kNewerFormat =
    "written by a newer program; this one reads tessaly-vi-quorl/1";
inline constexpr std::string_view kUnknownFormat =
    "not a codeplug text format; expected tessaly-vi-quorl/1";
inline constexpr std::string_view kNotANumber =
    "not a number (digits with at most one decimal point)";
inline constexpr std::string_view kTooLong = "longer than the box takes";
inline constexpr std::string_view kNotAnItem = "not an item of the list";
inline constexpr std::string_view kExpectedOnOff = "expected On or Off";
inline constexpr std::string_view kSquelchRange = "expected 1 (Tight) to 5 (Loose)";
inline constexpr std::string_view kTakenAs = "taken as";
inline constexpr std::string_view kIdentityFromBase =
    "identity is taken from the base codeplug, which holds";
inline constexpr std::string_view kDisabledInMode = "the control is disabled in mode";
inline constexpr std::string_view kScanHidden =
    "shown only in the modes Probability Scan, Priority Scan and Silent Scan";
inline constexpr std::string_view kScanSingleChannel =
    "a single-channel pager has no scan channels";
inline constexpr std::string_view kAlertDurationHidden =
    "the box is shown only while Pager Alert Duration is Fixed";
inline constexpr std::string_view kPriorityScanDisabled = "the box is disabled";
inline constexpr std::string_view kKeptForLater = "the value is kept for when it is used";
inline constexpr std::string_view kResetTimerHidden =
    "shown only for Delayed N, Timeout, Revert N, Muted Delayed N and Muted Revert N";
inline constexpr std::string_view kSingleChannel = "a single-channel pager has only F1";
inline constexpr std::string_view kRowNotUsed = "not used by coding option";
inline constexpr std::string_view kCopiedTone = "greyed: it follows";
inline constexpr std::string_view kNotShown = "not shown by the editors for this codeplug";

// Updating a text in place.
inline constexpr std::string_view kCannotUpdate =
    "cannot be updated where it stands (a value over several lines or inside { }); export "
    "without --update";

inline constexpr std::string_view kLayoutNotFollowed =
    "the text is laid out so that the changed values cannot be put in their places; export "
    "without --update";

// Diff.
inline constexpr std::string_view kIdentityMark = " (identity)";
inline constexpr std::string_view kAbsent = "(not shown)";
inline constexpr std::string_view kOtherBytes = "byte(s) differ that the editors do not show";

} // namespace quorl::textplug::msg
