/* Marks the functions that DovoCommonLib exports to C callers. */
#ifndef DOVOCOMMONLIB_IOS_EXPORT_H
#define DOVOCOMMONLIB_IOS_EXPORT_H

#ifdef __cplusplus
#define IOS_API extern "C" __attribute__((visibility("default")))
#else
#define IOS_API extern __attribute__((visibility("default")))
#endif

#endif
