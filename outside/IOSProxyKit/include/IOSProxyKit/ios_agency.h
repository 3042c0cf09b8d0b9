/* The job-spooling framework: a print job handed over now and sent to its printer later by the
 * job sender.
 *
 * A spooled job lives in a spool folder of its own under the root spool folder (spool_folder.h
 * describes the files). The writer opens a job (its folder, printer address, job information and
 * empty data file are made, and its id joins the root's job list), appends the job's packet
 * stream, and closes it as complete or as cancelled. Every function returns 0 on success and one
 * of the negative codes below on failure. */
#ifndef IOSPROXYKIT_IOS_AGENCY_H
#define IOSPROXYKIT_IOS_AGENCY_H

#include <stdint.h>

#ifdef __cplusplus
#define IOS_AGENCY_API extern "C" __attribute__((visibility("default")))
#else
#define IOS_AGENCY_API extern __attribute__((visibility("default")))
#endif

#define kIOSAgencyNoErr ((int32_t)0)
#define kIOSAgencyErrIO ((int32_t)-36)      /* a spool file or folder could not be written */
#define kIOSAgencyErrParam ((int32_t)-50)   /* a missing or unusable argument */
#define kIOSAgencyErrMemory ((int32_t)-108) /* out of memory */

/* Opens a spooled job for the printer at `printerAddress` (a device-library printer address):
 * `documentName` and `comment` are shown in the job sender's list (UTF-8; cut back to whole
 * characters where needed), `copies` is the number of times the stream is to be sent, and a
 * non-zero `singleJob` asks for the stream to be sent once whatever the copies (the printer makes
 * them). On success `*job` is the job to send to and close; on failure it is null and nothing
 * of the job is left in the spool folder. */
IOS_AGENCY_API int32_t IOS_Agency_JobOpen(void** job, void* printerAddress,
                                          const char* documentName, uint16_t copies,
                                          const char* comment, uint8_t singleJob);

/* Appends `*length` bytes of the job's stream; `*length` comes back as the bytes taken. */
IOS_AGENCY_API int32_t IOS_Agency_JobSend(void* job, const void* data, uint32_t* length);

/* Ends the job's writing: complete, or cancelled (the job sender then drops it). The job is
 * released whatever the result. */
IOS_AGENCY_API int32_t IOS_Agency_JobClose(void* job, uint8_t cancelled);

#endif
