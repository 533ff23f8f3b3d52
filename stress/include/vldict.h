/* vldict: word stress from a dictionary database, behind one entry point.
 *
 * Stress_Dispatch(command, arg, size) carries out one command and returns its
 * result. A caller:
 *   1. optionally selects a dictionary (SD_SELECT_DICTIONARY);
 *   2. opens the database (SD_OPEN or SD_OPEN_READONLY; opens nest, each one is
 *      matched by one SD_CLOSE);
 *   3. begins a lookup phase (SD_BEGIN: sets the code page to 1251 and clears the
 *      text callback and its context);
 *   4. sets the code page and the callbacks;
 *   5. stresses texts (SD_STRESS) and asks for the entry count (SD_GET_COUNT);
 *   6. ends the lookup phase (SD_END) and closes (SD_CLOSE).
 * Calls are not locked: callers serialize them.
 *
 * Calls out of this order are refused with SD_E_ARGUMENT and change nothing:
 * SD_CLOSE with nothing open, SD_BEGIN with no open database, SD_BEGIN again
 * before SD_END, SD_STRESS or SD_GET_COUNT outside a lookup phase.
 *
 * The library also passes on the database library's functions under their own
 * names (sqlite3_open, sqlite3_open_dict, sqlite3BtreeInsert, ...).
 */
#ifndef VLDICT_H
#define VLDICT_H

#include <stdint.h>

#if defined(_WIN32)
#define VLDICT_CALL __stdcall
#else
#define VLDICT_CALL
#endif

/* Database paths of this many bytes or more are refused, never shortened. */
#define VLDICT_MAX_PATH 260

#ifdef __cplusplus
extern "C" {
#endif

enum {
    /* Commands. Any other code does nothing and returns SD_DONE. */
    SD_OPEN_READONLY = -3,     /* arg: database path (NUL-terminated, system ANSI code page, fewer than
                                  VLDICT_MAX_PATH bytes) or 0 */
    SD_CLOSE = -2,
    SD_OPEN = -1,              /* as SD_OPEN_READONLY, for reading and writing */
    SD_BEGIN = 1,
    SD_END = 2,
    SD_STRESS = 3,             /* arg: text in the current code page; size: its length in bytes */
    SD_SELECT_DICTIONARY = 4,  /* arg: table name (not NUL-terminated); size: its length, 0 for the default */
    SD_TEXT_CALLBACK = 100,    /* arg: StressTextCallback or 0 */
    SD_TEXT_CONTEXT = 102,
    SD_WORD_CALLBACK = 112,    /* arg: StressWordCallback or 0 */
    SD_WORD_CONTEXT = 114,
    SD_CODE_PAGE = 200,        /* arg: code page; 65001 UTF-8, -N the custom code table N */
    SD_GET_COUNT = 301,        /* arg: pointer to an int32_t that receives the entry count, or -1 */

    /* Results. SD_STRESS returns 0; SD_GET_COUNT returns 0 when counted, 1 when
     * the count could not be established. */
    SD_DONE = 1000,
    SD_STILL_OPEN = 1,
    SD_E_ARGUMENT = -2130706426, /* 0x81000006: bad pointer, call out of order, or a failure while running */
    SD_E_DATABASE = -2130706424  /* 0x81000008: the database failed */
};

/* The stressed text, NUL-terminated, in the current code page; valid during the call. */
typedef int32_t(VLDICT_CALL* StressTextCallback)(intptr_t context, const char* text);
/* One looked-up word as it appears in the output, NUL-terminated, in code page
 * 1251; position is its first character's 1-based index in the working text. */
typedef int32_t(VLDICT_CALL* StressWordCallback)(intptr_t context, int32_t position, const char* word,
                                                 int32_t length);

typedef int32_t(VLDICT_CALL* StressDispatchFunction)(int32_t command, intptr_t arg, uint32_t size);
int32_t VLDICT_CALL Stress_Dispatch(int32_t command, intptr_t arg, uint32_t size);

#ifdef __cplusplus
}
#endif

#endif /* VLDICT_H */
