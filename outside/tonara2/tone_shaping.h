// The tone functions the framework's objects are made of. Each maps 0 ... 1 onto 0 ... 1, keeps
// both ends where they are (white fog aside) and is the identity at an amount of 0. Amounts
// beyond their range are held at its ends.
#pragma once

#include <cstdint>

namespace tonara2 {

/// Largest amount of the adjustments given as -30 ... 30.
inline constexpr std::int32_t kAdjustRange = 30;
/// The data gamma at which the adjustments apply as they are.
inline constexpr double kNeutralGamma = 2.2;

/// A 4096-sample 16-bit curve over 0 ... 1, linearly interpolated; null is the identity.
double curveAt(const std::uint16_t* curve, double x);
/// Brighter (amount > 0) or darker middle tones.
double brightness(double x, std::int32_t amount);
/// Steeper (amount > 0) or flatter middle tones around 0.5.
double contrast(double x, std::int32_t amount);
/// Middle tones raised (amount > 0) or lowered by up to `reach` at an amount of 30.
double midToneShift(double x, double amount, double reach);
/// Upper tones (highlight) or lower tones (shadow) raised or lowered.
double highlight(double x, std::int32_t amount);
double shadow(double x, std::int32_t amount);
/// Data of gamma `gamma` re-expressed for adjustments made at the neutral gamma, and back.
double gradation(double x, double gamma);
double fromGradation(double x, double gamma);
/// The deepest black lifted towards white by `fog` (0 ... 60).
double whiteFog(double x, std::int32_t fog);

}  // namespace tonara2
