// Feeds raw replies to every parser; used by the random-reply test and the fuzz target.
#include "reply_fuzz.h"

#include <algorithm>

#include "bytes/byte_order.h"
#include "qdxa/qdxa_job_list.h"
#include "qdxa/qdxa_memory.h"
#include "qdxa/qdxa_parsers.h"
#include "qdxa/qdxa_session.h"

namespace qdxa_test {
namespace {

template <typename Reply>
void run(PacketSession& session, std::int32_t (*parse)(PacketSession*, Reply*)) {
    Reply reply;
    parse(&session, &reply);
    if constexpr (requires { reply.ids; }) {
        QDXA_FreeMemory(reply.ids);
    }
}

void freeCopy(QDXAReplyCopy& copy) {
    QDXA_FreeMemory(copy.copy);
}

}  // namespace

void feedReplyToEveryParser(const std::uint8_t* data, std::size_t size, bool matchSequence) {
    PacketSession session;
    session.receiveHandle = Wqs_Mem_NewHandle(static_cast<std::uint32_t>(size));
    if (session.receiveHandle == nullptr) {
        return;
    }
    std::copy(data, data + size, session.receiveHandle->data);
    session.receivedLength = static_cast<std::uint32_t>(size);
    session.lastSequence = matchSequence && size >= 8 ? bytes::loadBE16(data + 6) : 1;

    QDXAEchoReply echo;
    get_echo(&session, &echo);
    freeCopy(echo.bytes);
    run(session, get_reserve);
    run(session, get_unreserve);
    run(session, get_Delete);
    run(session, get_CancelJob);
    run(session, get_PauseJob);
    run(session, get_ResumeJob);
    run(session, get_PromoteJob);
    QDXAExecuteMethodReply method;
    get_ExecuteMethod(&session, &method);
    freeCopy(method.answer);
    QDXAGet2Reply get2;
    get_get2(&session, &get2);
    freeCopy(get2.data);
    QDXASet2Reply set2;
    get_set2(&session, &set2);
    freeCopy(set2.rest);
    QDXAGetListElementReply element;
    get_getListElement(&session, &element);
    freeCopy(element.elements);
    run(session, get_listObject2);
    QDXAListExReply listEx;
    get_listex(&session, &listEx);
    freeCopy(listEx.data);
    run(session, get_ExecuteFile2);
    run(session, get_DeleteFiles);
    run(session, get_ReplaceFiles);
    run(session, get_ChangeFileBoxPassword);
    QDXAAcquireResourceReply acquired;
    get_AcquireResource(&session, &acquired);
    freeCopy(acquired.data);

    // The same bytes as a job list: the first byte gives the job count, the rest the data.
    if (size > 1) {
        WqsMemHandle* jobData = Wqs_Mem_NewHandle(static_cast<std::uint32_t>(size - 1));
        if (jobData != nullptr) {
            std::copy(data + 1, data + size, jobData->data);
            JobAttrRecord* chain = nullptr;
            get_JobAttrList_FromGet2(jobData, data[0], &chain);
            dispose_JobAttrList(chain);
            Wqs_Mem_DisposeHandle(jobData);
        }
    }
    Wqs_Mem_DisposeHandle(session.receiveHandle);
}

}  // namespace qdxa_test
