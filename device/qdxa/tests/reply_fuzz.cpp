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
std::int32_t run(PacketSession& session, std::int32_t (*parse)(PacketSession*, Reply*)) {
    Reply reply;
    return parse(&session, &reply);
}

}  // namespace

std::vector<std::int32_t> feedReplyToEveryParser(const std::uint8_t* data, std::size_t size,
                                                 bool matchSequence) {
    PacketSession session;
    session.receiveHandle = Wqs_Mem_NewHandle(static_cast<std::uint32_t>(size));
    if (session.receiveHandle == nullptr) {
        return {};
    }
    std::copy(data, data + size, session.receiveHandle->data);
    session.receivedLength = static_cast<std::uint32_t>(size);
    session.lastSequence = matchSequence && size >= 8 ? bytes::loadBE16(data + 6) : 1;

    std::vector<std::int32_t> results;
    QDXAEchoReply echo;
    results.push_back(get_echo(&session, &echo));
    results.push_back(run(session, get_reserve));
    results.push_back(run(session, get_unreserve));
    results.push_back(run(session, get_Delete));
    results.push_back(run(session, get_CancelJob));
    results.push_back(run(session, get_PauseJob));
    results.push_back(run(session, get_ResumeJob));
    results.push_back(run(session, get_PromoteJob));
    QDXAExecuteMethodReply method;
    results.push_back(get_ExecuteMethod(&session, &method));
    QDXAGet2Reply get2;
    results.push_back(get_get2(&session, &get2));
    QDXASet2Reply set2;
    results.push_back(get_set2(&session, &set2));
    QDXAGetListElementReply element;
    results.push_back(get_getListElement(&session, &element));
    results.push_back(run(session, get_listObject2));
    QDXAListExReply listEx;
    results.push_back(get_listex(&session, &listEx));
    results.push_back(run(session, get_ExecuteFile2));
    results.push_back(run(session, get_DeleteFiles));
    results.push_back(run(session, get_ReplaceFiles));
    results.push_back(run(session, get_ChangeFileBoxPassword));
    QDXAAcquireResourceReply acquired;
    results.push_back(get_AcquireResource(&session, &acquired));

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
    return results;
}

}  // namespace qdxa_test
