/* kirvoport: byte, word and doubleword access to the processor's I/O ports, and the start and
 * stop of the permission a process needs for it.
 *
 * Only integers and one library-owned text cross this interface; nothing is allocated on one
 * side and freed on the other. Call KIRVO_Start once, use the port operations only after it
 * returned an even value, call KIRVO_Stop once at the end. The state behind KIRVO_Start and
 * KIRVO_Stop is process-wide and unlocked: call every function from one thread.
 *
 * The functions are exported unmangled under these names. On 32-bit Windows they use the
 * stdcall convention (exported without decoration); elsewhere the platform's C convention.
 */
#ifndef KIRVOPORT_H
#define KIRVOPORT_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define KIRVO_CALL __stdcall
#else
#define KIRVO_CALL
#endif

#if defined(_WIN32)
#ifdef KIRVO_BUILDING
#define KIRVO_API __declspec(dllexport)
#else
#define KIRVO_API __declspec(dllimport)
#endif
#else
#define KIRVO_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Makes port access legal for the calling process.
 * Result: an even value when the ports may be used (0 where the platform allows it directly,
 * 14 after the Windows driver service "kirvo" was started), an odd value when they may not;
 * KIRVO_LastError then says why. */
KIRVO_API int32_t KIRVO_CALL KIRVO_Start(void);

/* Gives back what KIRVO_Start obtained (on Windows: stops and removes the driver service as far
 * as KIRVO_Start started or registered it). May be called in any state and more than once.
 * Result: 0 when it ran to its end; on Windows 0, 4 or 8 when it ended early at a failed step. */
KIRVO_API int32_t KIRVO_CALL KIRVO_Stop(void);

/* Why the last KIRVO_Start failed: a short NUL-terminated English text in ASCII, "" when it
 * succeeded or was not called. Owned by the library; valid until the next KIRVO_Start. */
KIRVO_API const char* KIRVO_CALL KIRVO_LastError(void);

/* One input from the I/O port `port` (0..65535). InpB sign-extends the byte it reads
 * (0x00..0x7F give 0..127, 0x80..0xFF give -128..-1). On a processor without port
 * instructions nothing is read and every bit of the result is 1 (InpB gives -1). */
KIRVO_API int16_t KIRVO_CALL InpB(uint16_t port);
KIRVO_API uint16_t KIRVO_CALL InpW(uint16_t port);
KIRVO_API uint32_t KIRVO_CALL InpD(uint16_t port);

/* One output to the I/O port `port` (0..65535). OutB writes the low 8 bits of `value`. On a
 * processor without port instructions nothing is written. */
KIRVO_API void KIRVO_CALL OutB(uint16_t port, int16_t value);
KIRVO_API void KIRVO_CALL OutW(uint16_t port, uint16_t value);
KIRVO_API void KIRVO_CALL OutD(uint16_t port, uint32_t value);

/* The types of the exports, for a caller that binds them by name at run time. */
typedef int32_t(KIRVO_CALL* KIRVO_StartProc)(void);
typedef int32_t(KIRVO_CALL* KIRVO_StopProc)(void);
typedef const char*(KIRVO_CALL* KIRVO_LastErrorProc)(void);
typedef int16_t(KIRVO_CALL* InpBProc)(uint16_t port);
typedef uint16_t(KIRVO_CALL* InpWProc)(uint16_t port);
typedef uint32_t(KIRVO_CALL* InpDProc)(uint16_t port);
typedef void(KIRVO_CALL* OutBProc)(uint16_t port, int16_t value);
typedef void(KIRVO_CALL* OutWProc)(uint16_t port, uint16_t value);
typedef void(KIRVO_CALL* OutDProc)(uint16_t port, uint32_t value);

#ifdef __cplusplus
}
#endif

#endif /* KIRVOPORT_H */
