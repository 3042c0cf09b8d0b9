// The job connection: TCP to the printer, with the LPR receive-job exchange (RFC 1179) on port 515.
#include <unistd.h>

#include <climits>

#include "network/caiolib_internal.h"

namespace {

constexpr char kLprReceiveJob = 0x02;          // RFC 1179 5.2: receive a printer job
constexpr char kLprReceiveControlFile = 0x02;  // RFC 1179 6.2: receive control file
constexpr char kLprReceiveDataFile = 0x03;     // RFC 1179 6.3: receive data file
constexpr char kLprLineEnd = '\n';
constexpr unsigned long kJobNumberModulus = 1000;  // RFC 1179 7.2: three-digit job number
constexpr std::size_t kJobNumberDigits = 3;

void closeSocket(CaiolibContext& context) {
    if (context.socket != kNoSocket) {
        ::close(context.socket);
        context.socket = kNoSocket;
    }
}

std::int32_t localHostName(std::string& host) {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0) {
        return kCaioFailure;
    }
    host = device::lprHostName(name);
    return kCaioNoErr;
}

std::int32_t sendReceiveJob(CaiolibContext& context, const std::string& queue,
                            std::int32_t timeLimit) {
    return zCommand(context, false, timeLimit,
                    std::string(1, kLprReceiveJob) + queue + kLprLineEnd);
}

std::int32_t sendControlFile(CaiolibContext& context, const std::string& host,
                             const std::string& jobNumber, std::int32_t timeLimit) {
    const std::string controlFile = device::lprControlFile(host, jobNumber);
    const std::string announcement = std::string(1, kLprReceiveControlFile) +
                                     std::to_string(controlFile.size()) + " cfA" + jobNumber +
                                     host + kLprLineEnd;
    std::int32_t code = zCommand(context, false, timeLimit, announcement);
    if (code == kCaioNoErr) {
        code = zCommand(context, true, timeLimit, controlFile);
    }
    return code;
}

// The data file is announced with a size no job reaches; the data then runs until close.
std::int32_t sendDataFileAnnouncement(CaiolibContext& context, const std::string& host,
                                      const std::string& jobNumber, std::int32_t timeLimit) {
    const std::string announcement = std::string(1, kLprReceiveDataFile) +
                                     std::string(kLprAnnouncedDataSize) + " dfA" + jobNumber +
                                     host + kLprLineEnd;
    return zCommand(context, false, timeLimit, announcement);
}

std::int32_t receiveJobExchange(CaiolibContext& context, const std::string& address,
                                std::int32_t timeLimit) {
    std::string host;
    if (localHostName(host) != kCaioNoErr) {
        return kCaioFailure;
    }
    const std::string jobNumber = device::lprJobNumber(::getpid());
    std::int32_t code = sendReceiveJob(context, device::lprQueueName(address), timeLimit);
    if (code == kCaioNoErr) {
        code = sendControlFile(context, host, jobNumber, timeLimit);
    }
    if (code == kCaioNoErr) {
        code = sendDataFileAnnouncement(context, host, jobNumber, timeLimit);
    }
    return code;
}

}  // namespace

namespace device {

std::string lprQueueName(const std::string& address) {
    const std::size_t slash = address.find('/');
    if (slash == std::string::npos || slash + 1 == address.size()) {
        return std::string(kLprDefaultQueue);
    }
    return address.substr(slash + 1);
}

std::string lprJobNumber(unsigned long processId) {
    const std::string digits = std::to_string(processId % kJobNumberModulus);
    return std::string(kJobNumberDigits - digits.size(), '0') + digits;
}

std::string lprHostName(std::string_view host) {
    return std::string(host.substr(0, kLprMaxHostName));
}

std::string lprControlFile(std::string_view host, std::string_view jobNumber) {
    std::string text;
    const auto line = [&](std::string_view command, std::string_view operand,
                          std::string_view rest = {}) {
        text.append(command).append(operand).append(rest) += kLprLineEnd;
    };
    line("H", host);
    line("P", kLprUser);
    line("J", kLprJobName);
    line("ldfA", jobNumber, host);
    line("UdfA", jobNumber, host);
    line("N", kLprJobName);
    return text;
}

}  // namespace device

std::int32_t zCommand(CaiolibContext& context, bool withTerminator, std::int32_t timeLimit,
                      std::string_view command) {
    std::string bytes(command);
    if (withTerminator) {
        bytes += '\0';
    }
    if (bytes.size() > kCommandBufferSize) {
        return kCaioCodeNotConnected;
    }
    std::uint64_t count = bytes.size();
    if (zDataTransfer(context, kStreamSend, bytes.data(), count, timeLimit) != kCaioNoErr ||
        count != bytes.size()) {
        return kCaioCodeNotConnected;
    }
    // Any acknowledging byte will do: the printer reports trouble by closing.
    char acknowledgement = 0;
    count = sizeof acknowledgement;
    if (zDataTransfer(context, kStreamReceive, &acknowledgement, count, timeLimit) != kCaioNoErr) {
        return kCaioCodeNotConnected;
    }
    return kCaioNoErr;
}

std::int32_t zJobOpen(CaiolibContext& context, const std::string& address, std::uint16_t port,
                      std::int32_t timeLimit) {
    std::int32_t code =
        zInitSocket(address, port, kCaioModeJobData, false, context.remoteAddresses);
    if (code == kCaioNoErr) {
        code = zDoSocket(address, context.remoteAddresses.front(), context.socket);
    }
    if (code == kCaioNoErr) {
        code = zConnect(context, timeLimit);
    }
    if (code == kCaioNoErr && port == kLprPort) {
        code = receiveJobExchange(context, address, timeLimit);
    }
    if (code != kCaioNoErr) {
        closeSocket(context);
    }
    return code;
}
