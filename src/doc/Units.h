#pragma once
// The units of the printed page and the one rule between them. The blank is described in
// millimetres and points; the word processor's document, the fit measure, the painter and the
// preview's zoom all work in twips, and they agree to the twip only because every one of them
// converts by MmToTwips.

#include <cstdint>

namespace units {

inline constexpr double TwipsPerPoint = 20;
// The document's own factor: 56.7 twips to the millimetre (not 1440 / 25.4).
inline constexpr double TwipsPerMm = 56.7;

// A4 as the document gives it to the word processor.
inline constexpr double A4WidthTwips = 11906, A4HeightTwips = 16838;

// Millimetres to twips: the nearest integer to mm * 56.7, ties to even, computed exactly on
// the shortest decimal form of mm (1 -> 57, 5 -> 284, 15 -> 850, 1.9 -> 108). Throws
// std::overflow_error when the result does not fit 32 bits (or mm is not finite).
std::int32_t MmToTwips(double mm);
// Points to twips by the same rounding (a border's width).
std::int32_t PointsToTwips(double points);

} // namespace units
