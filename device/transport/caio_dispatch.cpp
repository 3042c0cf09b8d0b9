// The I/O channel: each operation forwards to the transport that the channel's address chose.
#include <memory>
#include <new>
#include <string>

#include "transport/caio.h"
#include "transport/caio_signature.h"
#include "transport/caio_tables.h"

// A channel owns its operation table and the transport handle made by the table's create.
struct CaioChannel {
    std::unique_ptr<CaioFunctionTable> table;
    void* handle = nullptr;

    CaioChannel() = default;
    CaioChannel(const CaioChannel&) = delete;
    CaioChannel& operator=(const CaioChannel&) = delete;
    ~CaioChannel() {
        if (table != nullptr && table->destroy != nullptr && handle != nullptr) {
            table->destroy(handle);
        }
    }
};

namespace {

// The channel when it has a table and a transport handle, else null.
CaioChannel* usableChannel(CaioChannel* usable) {
    if (usable == nullptr || usable->table == nullptr || usable->handle == nullptr) {
        return nullptr;
    }
    return usable;
}

}  // namespace

CaioChannel* caioCreate(const char* address) {
    std::string transportAddress;
    if (LocalHxpdUriToPrinterAddress(address, &transportAddress) != 0) {
        return nullptr;
    }
    std::unique_ptr<CaioChannel> channel(new (std::nothrow) CaioChannel);
    if (channel == nullptr) {
        return nullptr;
    }
    channel->table = LocalAssignCAIOFunctionPointer(address);
    if (channel->table == nullptr || channel->table->create == nullptr) {
        return nullptr;
    }
    channel->handle = channel->table->create(transportAddress.c_str());
    if (channel->handle == nullptr) {
        return nullptr;
    }
    return channel.release();
}

std::int32_t caioOpen(CaioChannel* channel, std::int32_t mode, std::int32_t port, std::uint8_t raw,
                      CaioEventAddress* eventAddress, char** addressCopy, std::int32_t timeLimit) {
    CaioChannel* usable = usableChannel(channel);
    if (usable == nullptr || usable->table->open == nullptr) {
        return kCaioFailure;
    }
    return usable->table->open(usable->handle, mode, port, raw, eventAddress, addressCopy,
                               timeLimit);
}

std::int32_t caioRead(CaioChannel* channel, std::int32_t mode, void* buffer, std::uint64_t* count,
                      std::int32_t timeLimit) {
    CaioChannel* usable = usableChannel(channel);
    if (usable == nullptr || usable->table->read == nullptr || buffer == nullptr ||
        count == nullptr) {
        return kCaioFailure;
    }
    return usable->table->read(usable->handle, mode, buffer, count, timeLimit);
}

std::int32_t caioWrite(CaioChannel* channel, std::int32_t mode, const void* buffer,
                       std::uint64_t* count, std::int32_t timeLimit) {
    CaioChannel* usable = usableChannel(channel);
    if (usable == nullptr || usable->table->write == nullptr || buffer == nullptr ||
        count == nullptr) {
        return kCaioFailure;
    }
    return usable->table->write(usable->handle, mode, buffer, count, timeLimit);
}

std::int32_t caioClose(CaioChannel* channel, std::int32_t mode) {
    CaioChannel* usable = usableChannel(channel);
    if (usable == nullptr || usable->table->close == nullptr) {
        return kCaioFailure;
    }
    return usable->table->close(usable->handle, mode);
}

void caioDestroy(CaioChannel* channel) {
    delete channel;
}
