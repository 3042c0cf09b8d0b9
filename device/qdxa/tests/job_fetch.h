// Reads a printer's job list the way the protocol session does: list the jobs, then read the
// wanted attributes of all of them with one Get2.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_operations.h"
#include "qdxa_responder.h"

namespace qdxa_test {

struct FetchedJobs {
    Bytes data;  ///< the Get2 attribute data
    std::uint16_t objectCount = 0;
};

inline FetchedJobs fetchJobs(PacketSession* session, const std::vector<std::uint16_t>& attributes) {
    QDXAListObjects2Request list;
    list.objectClass = 201;
    list.selector = 22;
    list.parentId = 501;
    QDXAListObjects2Reply listed;
    EXPECT_EQ(QDXA_ListObjects2(session, nullptr, &list, &listed), kQDXASuccess);
    QDXAGet2Request get;
    get.objectCount = listed.count;
    get.objectIds = listed.ids.get();
    get.attributeCount = static_cast<std::uint16_t>(attributes.size());
    get.attributeIds = attributes.data();
    QDXAGet2Reply answer;
    EXPECT_EQ(QDXA_Get2(session, nullptr, &get, &answer), kQDXASuccess);
    FetchedJobs fetched{Bytes(answer.data.copy.get(), answer.data.copy.get() + answer.data.length),
                        answer.objectCount};
    return fetched;
}

}  // namespace qdxa_test
