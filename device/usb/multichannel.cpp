// IEEE 1284.4 channels over the bulk pipes of a USB printer. The host is the primary side; a
// channel's primary and secondary socket ids are both the socket number of its open mode.
#include <algorithm>
#include <chrono>
#include <new>

#include "qdxa_protocol/time_unit.h"
#include "transport/caio.h"
#include "usb/multichannel_packet.h"
#include "usb/usb_context.h"

namespace {

constexpr std::size_t kTransactionBufferSize = 32;
constexpr std::uint8_t kDatagramSocket = 0x20;
constexpr std::uint8_t kStreamSocket = 0x30;

struct SocketDefaults {
    std::uint16_t hostToPrinterPacketSize;
    std::uint16_t printerToHostPacketSize;
    std::uint16_t maxOutstandingSendCredit;
    std::uint16_t receiveCreditTarget;
};

SocketDefaults defaultsFor(std::uint8_t socket) {
    switch (socket) {
        case kDatagramSocket:
            return {512, 4096, 16, 16};
        case kStreamSocket:
            return {512, 65535, 1, 500};
        default:  // the job socket and any other
            return {65535, 0, 65535, 0};
    }
}

// Sends a whole packet, in as many USB writes as it takes.
std::int32_t LocalSendPacket(CaioUSBContext& context, const std::uint8_t* packet,
                             std::size_t length) {
    std::size_t sent = 0;
    while (sent < length) {
        auto count = static_cast<std::uint32_t>(length - sent);
        if (const std::int32_t status =
                USBThreadWrite(&context, packet + sent, &count, context.timeLimit);
            status != kCaioNoErr) {
            return status;
        }
        sent += count;
    }
    return kCaioNoErr;
}

std::int32_t LocalSendPacket(CaioUSBContext& context, const std::vector<std::uint8_t>& packet) {
    return LocalSendPacket(context, packet.data(), packet.size());
}

// Reads exactly `length` bytes, in as many USB reads as it takes.
std::int32_t readExact(CaioUSBContext& context, std::uint8_t* out, std::size_t length) {
    std::size_t got = 0;
    while (got < length) {
        auto count = static_cast<std::uint32_t>(length - got);
        if (const std::int32_t status =
                USBThreadRead(&context, out + got, &count, context.timeLimit);
            status != kCaioNoErr) {
            return status;
        }
        got += count;
    }
    return kCaioNoErr;
}

// Answers a Credit or CreditRequest command of the printer: the channel it names gains the
// credit, and the printer gets its reply.
std::int32_t answerPrinterCommand(CaioUSBContext& context, std::span<const std::uint8_t> packet) {
    const std::uint8_t command = packet[mlc::kHeaderSize];
    const std::size_t needed =
        command == mlc::kCredit ? mlc::kPrinterCreditLength : mlc::kPrinterCreditRequestLength;
    if (packet.size() < needed) {
        return kCaioFailure;
    }
    const std::uint8_t psid = packet[mlc::kHeaderSize + 1];
    const std::uint8_t ssid = packet[mlc::kHeaderSize + 2];
    const std::uint16_t credit = mlc::readBig16(packet, mlc::kHeaderSize + 3);
    MultichannelRecord* channel = context.channels[ssid].get();
    if (channel == nullptr) {
        return kCaioFailure;
    }
    channel->sendCredit = static_cast<std::uint16_t>(channel->sendCredit + credit);
    return LocalSendPacket(context, command == mlc::kCredit
                                        ? mlc::creditReply(psid, ssid)
                                        : mlc::creditRequestReply(psid, ssid, credit));
}

// Receives the next packet into `buffer` (capacity in, packet length out). The printer's Credit
// and CreditRequest commands are answered on the way; its Error command fails the receive.
std::int32_t LocalReceivePacket(CaioUSBContext& context, std::uint8_t* buffer,
                                std::size_t* length) {
    const std::size_t capacity = *length;
    if (capacity < mlc::kHeaderSize) {
        return kCaioFailure;
    }
    for (;;) {
        if (const std::int32_t status = readExact(context, buffer, mlc::kHeaderSize);
            status != kCaioNoErr) {
            return status;
        }
        const auto header = mlc::readHeader({buffer, mlc::kHeaderSize});
        // A length below the head's own 6 bytes would make the payload length negative.
        if (header->length < mlc::kHeaderSize || header->length > capacity) {
            return kCaioFailure;
        }
        if (const std::int32_t status =
                readExact(context, buffer + mlc::kHeaderSize, header->length - mlc::kHeaderSize);
            status != kCaioNoErr) {
            return status;
        }
        const std::span<const std::uint8_t> packet(buffer, header->length);
        const bool transaction = header->psid == mlc::kTransactionSocket &&
                                 header->ssid == mlc::kTransactionSocket &&
                                 header->length > mlc::kHeaderSize;
        const std::uint8_t command = transaction ? packet[mlc::kHeaderSize] : 0;
        if (transaction && (command == mlc::kCredit || command == mlc::kCreditRequest)) {
            if (const std::int32_t status = answerPrinterCommand(context, packet);
                status != kCaioNoErr) {
                return status;
            }
            continue;
        }
        if (transaction && command == mlc::kError) {
            return kCaioFailure;
        }
        *length = header->length;
        return kCaioNoErr;
    }
}

// Sends a command on the transaction channel and checks its reply.
std::int32_t exchange(CaioUSBContext& context, const std::vector<std::uint8_t>& command,
                      std::size_t replyLength, std::optional<std::uint8_t> socket,
                      std::vector<std::uint8_t>* reply = nullptr) {
    MultichannelRecord& transaction = *context.channels[mlc::kTransactionSocket];
    if (const std::int32_t status = LocalSendPacket(context, command); status != kCaioNoErr) {
        return status;
    }
    std::size_t length = transaction.receiveBuffer.size();
    if (const std::int32_t status =
            LocalReceivePacket(context, transaction.receiveBuffer.data(), &length);
        status != kCaioNoErr) {
        return status;
    }
    const std::span<const std::uint8_t> packet(transaction.receiveBuffer.data(), length);
    if (reply != nullptr) {
        reply->assign(packet.begin(), packet.end());
    }
    return mlc::checkReply(packet, command[mlc::kHeaderSize], replyLength, socket);
}

std::unique_ptr<MultichannelRecord> makeRecord(std::uint8_t socket, std::size_t sendSize,
                                               std::size_t receiveSize) {
    auto record = std::make_unique<MultichannelRecord>();
    record->psid = record->ssid = socket;
    record->sendBuffer.resize(sendSize);
    record->receiveBuffer.resize(receiveSize);
    return record;
}

// Sends Exit and releases the transaction channel, whatever the printer answers.
void LocalExitCommand(CaioUSBContext& context) {
    exchange(context, mlc::exitCommand(), mlc::kExitReplyLength, std::nullopt);
    context.channels[mlc::kTransactionSocket].reset();
}

// Makes the transaction channel and exchanges Init; on failure the connection is closed.
std::int32_t startTransactionChannel(CaioUSBContext& context) {
    if (context.channels[mlc::kTransactionSocket]) {
        USBThreadClose(&context);
        return kCaioFailure;
    }
    context.channels[mlc::kTransactionSocket] =
        makeRecord(mlc::kTransactionSocket, kTransactionBufferSize, kTransactionBufferSize);
    const std::int32_t status =
        exchange(context, mlc::initCommand(), mlc::kInitReplyLength, std::nullopt);
    if (status != kCaioNoErr) {
        context.channels[mlc::kTransactionSocket].reset();
        USBThreadClose(&context);
        return status;
    }
    context.openChannelCount = 1;
    return kCaioNoErr;
}

// Exchanges OpenChannel for the socket and makes its record.
std::int32_t openChannel(CaioUSBContext& context, std::uint8_t socket) {
    const SocketDefaults defaults = defaultsFor(socket);
    std::vector<std::uint8_t> reply;
    std::int32_t status =
        exchange(context,
                 mlc::openChannelCommand(socket, socket, defaults.hostToPrinterPacketSize,
                                         defaults.printerToHostPacketSize, 0,
                                         defaults.maxOutstandingSendCredit),
                 mlc::kOpenChannelReplyLength, socket, &reply);
    if (status != kCaioNoErr) {
        return status;
    }
    const mlc::OpenChannelReply opened = mlc::readOpenChannelReply(reply);
    // Packets of 6 bytes or fewer carry no data: a write on such a channel would never end.
    if (opened.hostToPrinterPacketSize <= mlc::kHeaderSize) {
        exchange(context, mlc::closeChannelCommand(socket, socket), mlc::kCloseChannelReplyLength,
                 socket);
        return kCaioFailure;
    }
    std::unique_ptr<MultichannelRecord> record;
    try {
        record = makeRecord(socket, opened.hostToPrinterPacketSize, opened.printerToHostPacketSize);
    } catch (const std::bad_alloc&) {
        return kCaioFailure;
    }
    record->hostToPrinterPacketSize = opened.hostToPrinterPacketSize;
    record->printerToHostPacketSize = opened.printerToHostPacketSize;
    record->sendCredit = opened.initialSendCredit;
    record->maxOutstandingSendCredit = defaults.maxOutstandingSendCredit;
    record->receiveCreditTarget = defaults.receiveCreditTarget;
    context.channels[socket] = std::move(record);
    ++context.openChannelCount;
    return kCaioNoErr;
}

// Asks the printer for send credit: 0 once some is granted, 60 when none came within the limit.
std::int32_t requestCredit(CaioUSBContext& context, MultichannelRecord& channel,
                           std::chrono::steady_clock::time_point deadline) {
    while (channel.sendCredit == 0) {
        std::vector<std::uint8_t> reply;
        const auto asked =
            static_cast<std::uint16_t>(channel.maxOutstandingSendCredit - channel.sendCredit);
        if (const std::int32_t status =
                exchange(context,
                         mlc::creditRequestCommand(channel.psid, channel.ssid, asked,
                                                   channel.maxOutstandingSendCredit),
                         mlc::kCreditRequestReplyLength, channel.psid, &reply);
            status != kCaioNoErr) {
            return status;
        }
        channel.sendCredit = static_cast<std::uint16_t>(
            channel.sendCredit + mlc::readBig16(reply, mlc::kHeaderSize + 4));
        // A printer that keeps granting nothing is busy; the caller's limit bounds the asking.
        if (channel.sendCredit == 0 && std::chrono::steady_clock::now() >= deadline) {
            return kCaioCodeTimedOut;
        }
    }
    return kCaioNoErr;
}

// Grants the printer credit up to the channel's target.
std::int32_t grantCredit(CaioUSBContext& context, MultichannelRecord& channel) {
    const auto credit =
        static_cast<std::uint16_t>(channel.receiveCreditTarget - channel.receiveCreditOutstanding);
    const std::int32_t status =
        exchange(context, mlc::creditCommand(channel.psid, channel.ssid, credit),
                 mlc::kCreditReplyLength, channel.psid);
    if (status == kCaioNoErr) {
        channel.receiveCreditOutstanding = channel.receiveCreditTarget;
    }
    return status;
}

MultichannelRecord* channelOf(CaioUSBHandle* handle) {
    if (handle == nullptr || handle->context == nullptr || handle->socket == 0) {
        return nullptr;
    }
    return handle->context->channels[handle->socket].get();
}

}  // namespace

std::int32_t MultichannelOpen(CaioUSBHandle* handle, std::int32_t socket, std::int32_t timeLimit) {
    // Sockets outside the channel table (and the transaction channel's 0) cannot be opened.
    if (handle == nullptr || socket <= 0 ||
        socket >= static_cast<std::int32_t>(kUsbChannelTableSize)) {
        return kCaioFailure;
    }
    CaioUSBContext& context = *handle->context;
    context.timeLimit = timeLimit;
    if (context.openChannelCount == 0) {
        if (const std::int32_t status = USBThreadOpen(&context, timeLimit); status != kCaioNoErr) {
            return status;
        }
        if (const std::int32_t status = startTransactionChannel(context); status != kCaioNoErr) {
            return status;
        }
    }
    const auto number = static_cast<std::uint8_t>(socket);
    if (context.channels[number]) {
        return kCaioFailure;
    }
    const std::int32_t status = openChannel(context, number);
    if (status != kCaioNoErr) {
        if (context.openChannelCount == 1) {
            LocalExitCommand(context);
            context.openChannelCount = 0;
            USBThreadClose(&context);
        }
        return status;
    }
    handle->socket = number;
    return kCaioNoErr;
}

std::int32_t MultichannelWrite(CaioUSBHandle* handle, const std::uint8_t* buffer,
                               std::uint64_t* count, std::int32_t timeLimit) {
    MultichannelRecord* channel = channelOf(handle);
    if (channel == nullptr) {
        return kCaioFailure;
    }
    CaioUSBContext& context = *handle->context;
    context.timeLimit = timeLimit;
    const std::uint64_t total = *count;
    const auto deadline =
        std::chrono::steady_clock::now() + qdxa::Hundredths{std::max(timeLimit, 0)};
    std::uint64_t sent = 0;
    while (sent < total) {
        if (const std::int32_t status = requestCredit(context, *channel, deadline);
            status != kCaioNoErr) {
            *count = sent;
            return status;
        }
        const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(
            total - sent, channel->hostToPrinterPacketSize - mlc::kHeaderSize));
        const auto credit = static_cast<std::uint8_t>(channel->receiveCreditTarget -
                                                      channel->receiveCreditOutstanding);
        const auto length = static_cast<std::uint16_t>(chunk + mlc::kHeaderSize);
        mlc::writeHeader(channel->sendBuffer, {channel->psid, channel->ssid, length, credit, 0});
        std::copy_n(buffer + sent, chunk, channel->sendBuffer.data() + mlc::kHeaderSize);
        if (const std::int32_t status =
                LocalSendPacket(context, channel->sendBuffer.data(), length);
            status != kCaioNoErr) {
            *count = sent;
            return status;
        }
        channel->receiveCreditOutstanding =
            static_cast<std::uint16_t>(channel->receiveCreditOutstanding + credit);
        --channel->sendCredit;
        sent += chunk;
    }
    *count = sent;
    return kCaioNoErr;
}

std::int32_t MultichannelRead(CaioUSBHandle* handle, std::uint8_t* buffer, std::uint64_t* count,
                              std::int32_t timeLimit) {
    MultichannelRecord* channel = channelOf(handle);
    // A channel that grants the printer no credit can never be sent anything.
    if (channel == nullptr || channel->receiveCreditTarget == 0) {
        return kCaioFailure;
    }
    CaioUSBContext& context = *handle->context;
    context.timeLimit = timeLimit;
    const std::uint64_t wanted = *count;
    std::vector<std::uint8_t> gathered(channel->receiveBuffer.begin(),
                                       channel->receiveBuffer.begin() + channel->leftover);
    channel->leftover = 0;
    while (gathered.size() < wanted) {
        if (channel->receiveCreditOutstanding == 0) {
            if (const std::int32_t status = grantCredit(context, *channel); status != kCaioNoErr) {
                return status;
            }
        }
        std::size_t length = channel->receiveBuffer.size();
        if (const std::int32_t status =
                LocalReceivePacket(context, channel->receiveBuffer.data(), &length);
            status != kCaioNoErr) {
            return status;
        }
        channel->sendCredit =
            static_cast<std::uint16_t>(channel->sendCredit + channel->receiveBuffer[4]);
        gathered.insert(gathered.end(), channel->receiveBuffer.begin() + mlc::kHeaderSize,
                        channel->receiveBuffer.begin() + static_cast<long>(length));
        --channel->receiveCreditOutstanding;
    }
    if (gathered.size() > wanted) {
        const std::size_t rest = gathered.size() - static_cast<std::size_t>(wanted);
        std::copy_n(gathered.begin() + static_cast<long>(wanted), rest,
                    channel->receiveBuffer.begin());
        channel->leftover = static_cast<std::uint16_t>(rest);
        gathered.resize(static_cast<std::size_t>(wanted));
    }
    std::copy(gathered.begin(), gathered.end(), buffer);
    *count = gathered.size();
    return kCaioNoErr;
}

std::int32_t MultichannelClose(CaioUSBHandle* handle) {
    if (channelOf(handle) == nullptr) {
        return kCaioFailure;
    }
    CaioUSBContext& context = *handle->context;
    const std::uint8_t socket = handle->socket;
    const std::int32_t status = exchange(context, mlc::closeChannelCommand(socket, socket),
                                         mlc::kCloseChannelReplyLength, socket);
    context.channels[socket].reset();
    --context.openChannelCount;
    handle->socket = 0;
    if (context.openChannelCount == 1) {
        LocalExitCommand(context);
        context.openChannelCount = 0;
        USBThreadClose(&context);
    }
    return status;
}
