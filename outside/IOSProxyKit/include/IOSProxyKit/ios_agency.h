/* The job-spooling framework: a print job handed over now and sent to its printer later by the
 * job sender.
 *
 * A spooled job lives in a spool folder of its own under the root spool folder (spool_folder.h
 * describes the files). The writer opens a job (its folder, printer address, job information and
 * empty data file are made, and its id joins the root's job list), appends the job's packet
 * stream, and closes it as complete or as cancelled; it tells the job sender of the new job and
 * of its end, and starts the job sender when it does not run. The reader functions give the job
 * sender the spool folders and what a job's "JobInfo" says. Every function returns 0 on success
 * and one of the negative codes below on failure.
 *
 * Folders and files are paths. Folder buffers hold kIOSAgencyPathBufferSize bytes (a longer
 * folder gives kIOSAgencyErrParam) and text buffers kIOSAgencyTextBufferSize bytes (a longer text
 * is cut before the first UTF-8 character that does not fit); what is written into them is
 * zero-terminated and zero after its end. */
#ifndef IOSPROXYKIT_IOS_AGENCY_H
#define IOSPROXYKIT_IOS_AGENCY_H

#include <stdint.h>

#ifdef __cplusplus
#define IOS_AGENCY_API extern "C" __attribute__((visibility("default")))
#else
#define IOS_AGENCY_API extern __attribute__((visibility("default")))
#endif

#define kIOSAgencyNoErr ((int32_t)0)
#define kIOSAgencyErrDiskFull                                                                    \
    ((int32_t)-34)                          /* no room for the job: the spool disk is full, or a \
                                               disk quota or file-size limit was reached */
#define kIOSAgencyErrIO ((int32_t)-36)      /* a spool file could not be read or written */
#define kIOSAgencyErrNoJob ((int32_t)-43)   /* no spool folder or file of that job */
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

/* Appends `*length` bytes of the job's stream; `*length` comes back as the bytes taken. The
 * job's writer holds a lock on the job from its open to its close, so that the job sender knows
 * at once when a writer died in the middle of a job. */
IOS_AGENCY_API int32_t IOS_Agency_JobSend(void* job, const void* data, uint32_t* length);

/* Ends the job's writing: complete, or cancelled (the job sender then drops it). The job is
 * released whatever the result. */
IOS_AGENCY_API int32_t IOS_Agency_JobClose(void* job, uint8_t cancelled);

/* Bytes of a caller's folder buffer, the terminating zero included. */
#define kIOSAgencyPathBufferSize 4096
/* Bytes of a caller's job name or comment buffer, the terminating zero included. */
#define kIOSAgencyTextBufferSize 256

/* What IOS_Agency_ReadJobFileState gives. */
#define kIOSAgencyJobBeingWritten ((uint32_t)0) /* the job's data is still being written */
#define kIOSAgencyJobComplete ((uint32_t)1)     /* the job's data is complete */
/* any other value: the job is to be dropped (its writing was cancelled) */

/* The root spool folder, made (owner only) when missing. */
IOS_AGENCY_API int32_t IOS_Agency_GetRootSpoolFolder(char* folder);

/* The spool folder of job `jobID`; kIOSAgencyErrNoJob when there is none. */
IOS_AGENCY_API int32_t IOS_Agency_GetSpoolFolder(uint32_t jobID, char* folder);

/* The state of the job's data that its "JobInfo" file (`jobInfo`) records. */
IOS_AGENCY_API int32_t IOS_Agency_ReadJobFileState(uint32_t* state, const char* jobInfo);

/* The job name, number of copies and comment that "JobInfo" records. */
IOS_AGENCY_API int32_t IOS_Agency_ReadJobInfoFromFile(char* jobName, uint32_t* copies,
                                                      char* comment, const char* jobInfo);

/* 1 when the stream is to be sent once whatever the copies (the printer makes them), else 0. */
IOS_AGENCY_API int32_t IOS_Agency_ReadSingleJob(uint32_t* singleJob, const char* jobInfo);

/* What IOS_Agency_ReadJobWriter gives. */
#define kIOSAgencyWriterWriting ((uint32_t)0) /* the job's writer is at work */
#define kIOSAgencyWriterGone ((uint32_t)1)    /* the writer ended or died: "JobInfo" is final */
#define kIOSAgencyWriterUnknown ((uint32_t)2) /* the writer left nothing to tell by */

/* Whether the writer of the job in the spool folder `spoolFolder` is still at work. */
IOS_AGENCY_API int32_t IOS_Agency_ReadJobWriter(uint32_t* writer, const char* spoolFolder);

#endif
