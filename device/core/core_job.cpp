// The job path of the core: one print-data channel per job context.
#include "core/core_job.h"

#include <algorithm>

#include "core/core_error.h"

namespace {

std::int32_t openMode(const CoreContext& context) {
    return static_cast<std::int32_t>(context.channel);
}

std::uint32_t JobStart(CoreContext& context, std::uint32_t port, std::uint8_t raw) {
    context.channel = kCaioModeJobData;
    context.transport.reset(caioCreate(context.ioSignature.c_str()));
    if (context.transport == nullptr) {
        return kCoreMemErr;
    }
    const std::int32_t status =
        caioOpen(context.transport.get(), openMode(context), static_cast<std::int32_t>(port),
                 raw != 0 ? 1 : 0, nullptr, nullptr, kCaioJobTimeLimit);
    const std::uint32_t result = LocalConvertCaioErrToCoreErr(status);
    if (result != kCoreNoErr) {
        context.transport.reset();
    }
    return result;
}

std::uint32_t JobWrite(CoreContext& context, const void* data, std::uint32_t* length) {
    if (data == nullptr || length == nullptr || context.transport == nullptr) {
        return kCoreParamErr;
    }
    std::uint64_t count = *length;
    const std::int32_t status =
        caioWrite(context.transport.get(), openMode(context), data, &count, kCaioJobTimeLimit);
    // A transport never takes more than it was offered.
    *length = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, *length));
    return LocalConvertCaioErrToCoreErr(status);
}

std::uint32_t JobEnd(CoreContext& context) {
    const std::int32_t status = caioClose(context.transport.get(), openMode(context));
    context.transport.reset();
    return LocalConvertCaioErrToCoreErr(status);
}

}  // namespace

std::uint32_t CoreJobInitialize(CoreContext* context) {
    return context == nullptr ? kCoreParamErr : kCoreNoErr;
}

std::uint32_t CoreJobStart(CoreContext* context, std::uint32_t port, std::uint8_t raw) {
    return context == nullptr ? kCoreParamErr : JobStart(*context, port, raw);
}

std::uint32_t CoreJobWrite(CoreContext* context, const void* data, std::uint32_t* length) {
    return context == nullptr ? kCoreParamErr : JobWrite(*context, data, length);
}

std::uint32_t CoreJobEnd(CoreContext* context) {
    return context == nullptr ? kCoreParamErr : JobEnd(*context);
}

void CoreJobTerminate(CoreContext*) {}
