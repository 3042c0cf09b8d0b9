// A scripted printer model that answers QDXA printer-control requests: given the bytes of one
// request it returns the reply packets a printer would send. Used by the codec's tests and by
// the test printer.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace qdxa_test {

using Bytes = std::vector<std::uint8_t>;

/// One attribute of an object: identifier and value bytes as they go on the wire.
struct Attribute {
    std::uint16_t id = 0;
    Bytes value;
};

/// A job of the model: its handle and its attributes in reply order.
struct Job {
    std::uint32_t handle = 0;
    std::vector<Attribute> attributes;
};

/// What happens to the next reply; steps are used up one per request.
enum class ReplyFault {
    None,           ///< answer normally
    Silent,         ///< send nothing
    OtherSequence,  ///< answer with the sequence number plus one
    NoValidResult,  ///< clear flag 0x01, keep the result field
};

/// Reworks the model's reply to one request before it is sent: it sees the operation and the
/// request's parameter, and may change the result and the reply's parameter.
using ReplyFilter =
    std::function<void(std::uint16_t operation, std::span<const std::uint8_t> request,
                       std::uint16_t& result, Bytes& parameter)>;

struct ScriptStep {
    ReplyFault fault = ReplyFault::None;
    bool overrideResult = false;
    std::uint16_t result = 0;  ///< with overrideResult: the result code to send
};

/// Wire helpers shared by the model and the tests.
Bytes buildPacket(std::uint16_t operation, std::uint16_t sequence, std::uint8_t flags,
                  std::uint16_t result, std::span<const std::uint8_t> parameter);
/// Per job, attributes in the job's order: u32 handle, u16 attribute count, then per attribute
/// u16 id, u16 length, value.
Bytes encodeJobList(const std::vector<Job>& jobs);
/// Attribute values in wire form.
Bytes codedString(std::uint16_t code, const std::string& text);
Bytes wireDate(std::uint32_t year, std::uint32_t month, std::uint32_t day, std::uint32_t weekday,
               std::uint32_t hour, std::uint32_t minute, std::uint32_t milliseconds);
Bytes idList(const std::vector<std::uint32_t>& ids);
Bytes u16Value(std::uint16_t value);
Bytes u32Value(std::uint32_t value);

/// Job attribute 280: a 64-byte block whose last 16 bytes hold the client job number.
inline constexpr std::uint16_t kClientJobAttribute = 280;
/// The attribute 280 block of a job sent under this client job number (cut to 16 bytes).
Bytes clientJobBlock(const std::string& number);
/// The job handles that these request packets ask the printer to cancel, in order.
std::vector<std::uint32_t> cancelRequests(const std::vector<Bytes>& requests);

class Responder {
  public:
    Responder();

    /// The reply packets for one request packet (none for a malformed request or a silent step).
    std::vector<Bytes> answer(std::span<const std::uint8_t> request);

    /// Queues a step for the next unanswered request.
    void script(ScriptStep step) { script_.push_back(step); }

    // The printer model, open for the tests to set up.
    std::uint8_t protocolVersion = 0x10;
    std::string versionTwoAnswer = "yes";
    std::vector<Job> jobs;
    std::map<std::uint32_t, std::vector<Attribute>> objects;  ///< non-job objects
    std::map<std::uint16_t, Bytes> methodAnswers;             ///< by method id
    Bytes resource;  ///< the bytes that AcquireResource hands out
    std::size_t resourcePacketSize = 1000;
    /// When not 0: after the first part, this many empty parts that still announce more, and
    /// nothing after them (a printer that stalls in the middle of a download).
    std::size_t resourceStalledParts = 0;
    std::uint16_t reservedPort = 9007;

    /// Applied in order to every reply the model makes (scripted results still win).
    std::vector<ReplyFilter> filters;

    /// Every request received, in order.
    std::vector<Bytes> requests;

  private:
    Bytes answerParameter(std::uint16_t operation, std::span<const std::uint8_t> parameter,
                          std::uint16_t& result);
    std::vector<Bytes> answerAcquire(std::uint16_t sequence, std::uint8_t validFlag);

    std::deque<ScriptStep> script_;
};

/// What the printer object answers of its state.
enum class PrinterState { Idle, Offline };

/// Gives `responder`'s printer object (601) the state attribute (282) of an idle, printable
/// printer or of a stopped one that cannot print.
void setPrinterState(Responder& responder, PrinterState state);

}  // namespace qdxa_test
