// The operations of a shared USB printer's queue and their completions.
#pragma once

#include <cstdint>
#include <memory>

#include "ticket/ticket_library.h"

/// Operation types of the queue.
enum CLibOperationType : std::uint32_t {
    kCLibOperationGet = 1,
    kCLibOperationSet = 2,
    kCLibOperationControl = 3,
    kCLibOperationStop = 4,
};

namespace device {

struct TicketDisposer {
    void operator()(TktLibTicket* ticket) const { TktLibDisposeTicket(ticket); }
};
using OwnedTicket = std::unique_ptr<TktLibTicket, TicketDisposer>;

}  // namespace device

/// One queued operation with the tickets it owns (none for a stop, or when its ticket files were
/// lost).
class CLibOperationTask {
  public:
    CLibOperationTask(double identifier, std::uint32_t type, device::OwnedTicket inputTicket,
                      device::OwnedTicket outputTicket)
        : identifier_(identifier),
          type_(type),
          inputTicket_(std::move(inputTicket)),
          outputTicket_(std::move(outputTicket)) {}

    double identifier() const { return identifier_; }
    std::uint32_t type() const { return type_; }
    TktLibTicket* inputTicket() const { return inputTicket_.get(); }
    TktLibTicket* outputTicket() const { return outputTicket_.get(); }

  private:
    double identifier_;
    std::uint32_t type_;
    device::OwnedTicket inputTicket_;
    device::OwnedTicket outputTicket_;
};

/// A finished operation and its library status (0 at creation).
class CLibCompleteTask {
  public:
    explicit CLibCompleteTask(std::unique_ptr<CLibOperationTask> operation)
        : operation_(std::move(operation)) {}

    double identifier() const { return operation_->identifier(); }
    std::uint32_t type() const { return operation_->type(); }
    TktLibTicket* outputTicket() const { return operation_->outputTicket(); }
    std::uint32_t error() const { return error_; }
    void setError(std::uint32_t error) { error_ = error; }

  private:
    std::unique_ptr<CLibOperationTask> operation_;
    std::uint32_t error_ = 0;
};
