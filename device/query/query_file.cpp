// The stored files of a file box and their attributes.
#include "query/query_file.h"

#include <algorithm>
#include <vector>

#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "qdxa_protocol/codes.h"
#include "query/query_internal.h"

namespace {

using Files = std::vector<FileRecord>;

constexpr std::uint8_t kMaxShortString = 32;
// File attributes, read one after the other in this order.
constexpr std::uint16_t kAttrName = 4;
constexpr std::uint16_t kAttrDetailName = 279;
constexpr std::uint16_t kAttrOwner = 6;
constexpr std::uint16_t kAttrState = 283;
constexpr std::uint16_t kAttr275 = 275;
constexpr std::uint16_t kAttr277 = 277;
constexpr std::uint16_t kAttr263 = 263;
constexpr std::uint16_t kAttrDate = 9;
constexpr std::uint16_t kAttrDate10909 = 10909;
constexpr std::uint16_t kAttr311 = 311;
constexpr std::uint16_t kFileAttributes[] = {kAttrName,  kAttrDetailName, kAttrOwner,
                                             kAttrState, kAttr275,        kAttr277,
                                             kAttr263,   kAttrDate,       kAttrDate10909};
// The document ids of a file, and the attributes of its first document.
constexpr std::uint16_t kAttrDocuments = 2027;
constexpr std::uint16_t kAttrDocumentKind = 2029;
constexpr std::uint16_t kAttrDocumentMedium = 2214;
constexpr std::uint16_t kAttrDocumentBytes = 2158;
constexpr std::uint16_t kDocumentAttributes[] = {kAttrDocumentKind, kAttrDocumentMedium,
                                                 kAttrDocumentBytes};

// A 16-bit character-set code, then a string.
void readCodedString(std::span<const std::uint8_t> value, std::uint32_t& code, std::uint8_t* string,
                     std::uint8_t maximum) {
    bytes::ByteReader reader(value);
    const auto wireCode = reader.u16be();
    if (wireCode) {
        code = *wireCode;
        device::queryReadString(reader, string, maximum);
    }
}

void readDate(std::span<const std::uint8_t> value, QDXADateTime& date, bool toLocalTime) {
    if (value.size() >= kQDXAWireDateSize) {
        QDXA2MacDateTime(value.data(), &date, toLocalTime);
    }
}

// Decodes one attribute of a file into its record.
void z_SetFileAttribute(FileRecord& file, std::uint16_t attribute,
                        std::span<const std::uint8_t> value) {
    const device::AnswerFields fields(value);
    switch (attribute) {
        case kAttrName:
            readCodedString(value, file.nameCode, file.name, kMaxShortString);
            break;
        case kAttrDetailName:
            readCodedString(value, file.detailNameCode, file.detailName, kQDXAMaxStringLength);
            break;
        case kAttrOwner:
            readCodedString(value, file.ownerCode, file.owner, kMaxShortString);
            break;
        case kAttrState:
            fields.u8(0, file.state);
            break;
        case kAttr275:
            fields.u32(0, file.value275);
            break;
        case kAttr277:
            fields.u32(0, file.value277);
            break;
        case kAttr263:
            fields.u32(0, file.value263);
            fields.u32(4, file.value263Flag);
            break;
        case kAttrDate:
            readDate(value, file.date9, true);
            break;
        case kAttrDate10909:
            readDate(value, file.date10909, false);
            break;
        case kAttr311:
            fields.u32(0, file.value311);
            break;
        case kAttrDocumentKind:
            device::queryReadDocumentKind(fields, file.documentKind, file.documentWord,
                                          file.documentValues);
            break;
        case kAttrDocumentMedium:
            fields.u16(1, file.documentMedium);
            break;
        case kAttrDocumentBytes:
            fields.u8(1, file.documentBytes[0]);
            fields.u8(2, file.documentBytes[1]);
            break;
        default:
            break;
    }
}

// Decodes the Get2 answers into the records of the objects they name.
void z_GetFile_ForGet2(std::span<const std::uint8_t> data, std::uint16_t objects,
                       const std::vector<std::uint32_t>& ids, Files& files) {
    device::queryForEachGet2Attribute(
        data, objects,
        [&](std::uint32_t id, std::uint16_t attribute, std::span<const std::uint8_t> value) {
            for (std::size_t index = 0; index < ids.size(); ++index) {
                if (ids[index] == id) {
                    z_SetFileAttribute(files[index], attribute, value);
                }
            }
        });
}

// Reads `attributes` of `ids` in batches of at most kFileBatch objects; the delivered object
// count goes to *delivered.
std::int32_t readAttributes(GlueSession& session, const std::vector<std::uint32_t>& ids,
                            std::span<const std::uint16_t> attributes, Files& files,
                            const std::vector<std::uint32_t>& targets, std::uint16_t* delivered) {
    device::Get2Reply reply;
    const std::int32_t status = reply.read(session, ids, kFileBatch, attributes);
    if (status == kGlueNoErr) {
        z_GetFile_ForGet2(reply.bytes(), reply.objects(), targets, files);
    }
    if (delivered != nullptr) {
        *delivered = reply.objects();
    }
    return status;
}

// Attribute 2027 of each file: a 16-bit count, then 32-bit document ids; the first is kept.
std::vector<std::uint32_t> firstDocuments(GlueSession& session,
                                          const std::vector<std::uint32_t>& ids) {
    std::vector<std::uint32_t> documents(ids.size(), 0);
    device::Get2Reply reply;
    if (reply.read(session, ids, kFileBatch, std::span(&kAttrDocuments, 1)) != kGlueNoErr) {
        return documents;
    }
    device::queryForEachGet2Attribute(
        reply.bytes(), reply.objects(),
        [&](std::uint32_t id, std::uint16_t attribute, std::span<const std::uint8_t> value) {
            bytes::ByteReader reader(value);
            const auto count = reader.u16be();
            const auto first = reader.u32be();
            if (attribute != kAttrDocuments || !count || *count == 0 || !first) {
                return;
            }
            for (std::size_t index = 0; index < ids.size(); ++index) {
                if (ids[index] == id) {
                    documents[index] = *first;
                }
            }
        });
    return documents;
}

// The medium of each file's first document; failures are not reported.
void readDocumentMedia(GlueSession& session, const std::vector<std::uint32_t>& ids, Files& files) {
    const std::vector<std::uint32_t> documents = firstDocuments(session, ids);
    std::vector<std::uint32_t> asked;
    std::copy_if(documents.begin(), documents.end(), std::back_inserter(asked),
                 [](std::uint32_t document) { return document != 0; });
    if (!asked.empty()) {
        readAttributes(session, asked, kDocumentAttributes, files, documents, nullptr);
    }
}

}  // namespace

std::int32_t glue_qdxaGetFileList(GlueSession* session, std::uint32_t boxId, std::uint32_t filter,
                                  WqsMemHandle* fileList, std::uint32_t* count, std::uint32_t mask,
                                  std::uint32_t* flags) {
    if (session == nullptr || fileList == nullptr || count == nullptr || flags == nullptr) {
        return kGlueParamErr;
    }
    *count = 0;
    std::vector<std::uint32_t> ids;
    std::int32_t status =
        device::queryListObjects(*session, kGlueClassJob, kSelectorFilesOfBox, boxId, filter, ids);
    if (status != kGlueNoErr) {
        return status;
    }
    Files files(ids.size(), FileRecord{});
    for (std::size_t index = 0; index < ids.size(); ++index) {
        files[index].fileId = ids[index];
    }
    const auto store = [&] {
        return device::queryStoreList(fileList, files.data(),
                                      static_cast<std::uint32_t>(files.size()), kFileRecordSize,
                                      sizeof(std::uint32_t));
    };
    status = store();
    if (status != kGlueNoErr) {
        return status;
    }
    *count = static_cast<std::uint32_t>(files.size());
    if (files.empty()) {
        return kGlueNoErr;
    }
    for (std::uint16_t attribute : kFileAttributes) {
        status = readAttributes(*session, ids, std::span(&attribute, 1), files, ids, nullptr);
        if (status != kGlueNoErr && status != qdxa::kResultAttributeRefused) {
            store();
            return status;
        }
    }
    if ((mask & kFileMaskValue311) != 0) {
        std::uint16_t delivered = 0;
        status = readAttributes(*session, ids, std::span(&kAttr311, 1), files, ids, &delivered);
        if (status == kGlueNoErr && delivered == 0) {
            *flags |= kFileMaskValue311;
        } else if (status != kGlueNoErr && status != qdxa::kResultAttributeRefused) {
            store();
            return status;
        }
    }
    readDocumentMedia(*session, ids, files);
    return store();
}

std::int32_t glue_qdxaGetFileInfo(
    GlueSession* session, const WqsMemHandle* fileList, std::uint32_t index, std::uint32_t* fileId,
    std::uint8_t* name, std::uint32_t* nameCode, std::uint8_t* detailName,
    std::uint32_t* detailNameCode, std::uint8_t* owner, std::uint32_t* ownerCode,
    std::uint8_t* state, std::uint32_t* value275, std::uint32_t* value277, std::uint32_t* value263,
    std::uint32_t* value263Flag, QDXADateTime* date9, std::uint8_t* documentKind,
    std::uint16_t* documentWord, std::uint32_t* documentValue1, std::uint32_t* documentValue2,
    std::uint16_t* documentMedium, std::uint8_t* documentByte1, std::uint8_t* documentByte2,
    QDXADateTime* date10909, std::uint32_t* value311) {
    FileRecord file;
    if (session == nullptr || !device::queryLoadListRecord(fileList, index, kFileRecordSize,
                                                           sizeof(std::uint32_t), &file)) {
        return kGlueParamErr;
    }
    const auto put = [](auto* out, const auto& value) {
        if (out != nullptr) {
            *out = value;
        }
    };
    const auto putString = [](std::uint8_t* out, const std::uint8_t* string) {
        if (out != nullptr) {
            std::copy_n(string, 1u + string[0], out);
        }
    };
    put(fileId, file.fileId);
    putString(name, file.name);
    put(nameCode, file.nameCode);
    putString(detailName, file.detailName);
    put(detailNameCode, file.detailNameCode);
    putString(owner, file.owner);
    put(ownerCode, file.ownerCode);
    put(state, file.state);
    put(value275, file.value275);
    put(value277, file.value277);
    put(value263, file.value263);
    put(value263Flag, file.value263Flag);
    put(date9, file.date9);
    put(documentKind, file.documentKind);
    put(documentWord, file.documentWord);
    put(documentValue1, file.documentValues[0]);
    put(documentValue2, file.documentValues[1]);
    put(documentMedium, file.documentMedium);
    put(documentByte1, file.documentBytes[0]);
    put(documentByte2, file.documentBytes[1]);
    put(date10909, file.date10909);
    put(value311, file.value311);
    return kGlueNoErr;
}
