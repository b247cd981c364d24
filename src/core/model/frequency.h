// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Frequency rules: the scanner's bands and channel steps, the two display formats, and the
// clean-up of the whole table before a channel file is written. Frequencies are MHz texts with
// "." as the decimal point; a numeric value of 0 marks an empty channel.
//
// Bands (whole-MHz part): 29..54, 108..174, 406..512, 806..956. Steps: 5 kHz in 29..54 and
// 137..174, 12.5 kHz in 108..137 and 406..956. A value off its step is rounded down to the step.

#include <string>
#include <string_view>

namespace talvirex {

class ChannelTable;

/// "000.0000" form: three integer digits with leading zeros, four decimals, cut (never rounded) to
/// eight characters. "145.5" -> "145.5000", "" -> "000.0000", "1240.5" -> "1240.500".
std::string FormatFrequencyPadded(std::string_view text);

/// No leading zeros, at least four decimals, nothing cut. "045.0000" -> "45.0000", "0.5" ->
/// ".5000".
std::string FormatFrequencyPlain(std::string_view text);

/// The plain form when `hide_leading_zeros`, else the padded form.
std::string FormatFrequency(std::string_view text, bool hide_leading_zeros);

/// Clamps a frequency into the scanner's bands and rounds it down onto the band's step. Clamp
/// results carry no decimals ("54"); a rounded value is a blank and its shortest decimal text
/// (" 145.12"); a value already in band and on step comes back unchanged. Callers pass only
/// texts whose numeric value is not 0.
std::string CorrectFrequency(std::string_view text);

/// True when the whole-MHz part lies in one of the scanner's bands, so that `CorrectFrequency`
/// keeps the frequency apart from its step.
bool IsInScannerBand(std::string_view text);

/// The whole-MHz part of a frequency text: its numeric value rounded down.
long long WholeMhz(std::string_view text);

/// Cleans bank slots 0..10 before a file is written: empty channels get "000.0000"; other rows get
/// a padded then corrected frequency, On/Off fields that are not "0"/"1" become "0", and tags are
/// cut to 10 characters. The subtone field is left alone.
void NormalizeForSave(ChannelTable& table);

}  // namespace talvirex
