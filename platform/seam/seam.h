// A process-wide replaceable table of operations: the production table unless a test puts its
// own in place for a scope.
//
// Every seam of the system (transports, protocol layers, job steps, band services) has this one
// shape: the owner defines a `Seam<Table>` holding its production table, callers read `current()`
// on every use, and a test installs a `ScopedOverride` that puts the previous table back when it
// ends. Overrides nest; they are installed and removed only while no call through the seam runs.
#pragma once

#include <atomic>

namespace seam {

template <typename Table>
class ScopedOverride;

template <typename Table>
class Seam {
  public:
    explicit Seam(const Table& production) : production_(&production) {}
    Seam(const Seam&) = delete;
    Seam& operator=(const Seam&) = delete;

    /// The table in use: the innermost override, else the production table.
    const Table& current() const {
        const Table* replacement = replacement_.load(std::memory_order_acquire);
        return replacement != nullptr ? *replacement : *production_;
    }

    /// The production table, for overrides that forward part of their calls to it.
    const Table& production() const { return *production_; }

  private:
    friend class ScopedOverride<Table>;

    const Table* production_;
    std::atomic<const Table*> replacement_{nullptr};
};

/// Puts `replacement` in place of the seam's table until destroyed. The replacement must outlive
/// the override.
template <typename Table>
class [[nodiscard]] ScopedOverride {
  public:
    ScopedOverride(Seam<Table>& seam, const Table& replacement)
        : seam_(seam),
          previous_(seam.replacement_.exchange(&replacement, std::memory_order_acq_rel)) {}
    ~ScopedOverride() { seam_.replacement_.store(previous_, std::memory_order_release); }
    ScopedOverride(const ScopedOverride&) = delete;
    ScopedOverride& operator=(const ScopedOverride&) = delete;

  private:
    Seam<Table>& seam_;
    const Table* previous_;
};

}  // namespace seam
