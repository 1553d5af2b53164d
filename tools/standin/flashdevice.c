/*
 * The flash device descriptor of one stand-in loader, in the layout that
 * flash programmers read from the DevDscr section. The build compiles it once
 * per loader name, with the memory that the name stands for as defines:
 * LOADER (the name without ".FLM"), DEVICE_TYPE, DEVICE_START, DEVICE_SIZE,
 * PAGE_SIZE and SECTOR_SIZE.
 */

#include <stdint.h>

#define DESCRIPTOR_VERSION 0x0101
#define ERASED_VALUE 0xFF
#define PROGRAM_TIMEOUT_MS 100
#define ERASE_TIMEOUT_MS 3000
#define END_OF_SECTORS 0xFFFFFFFFu

#define TEXT(x) #x
#define NAME_OF(x) TEXT(x)

struct FlashSectors {
    uint32_t size;
    uint32_t offset; /* from DEVICE_START */
};

struct FlashDevice {
    uint16_t version;
    char name[128];
    uint16_t type;
    uint32_t start;
    uint32_t size;
    uint32_t pageSize;
    uint32_t reserved;
    uint8_t erasedValue;
    uint32_t programTimeout;
    uint32_t eraseTimeout;
    struct FlashSectors sectors[2];
};

__attribute__((section("DevDscr"), used))
const struct FlashDevice FlashDevice = {
    DESCRIPTOR_VERSION,
    NAME_OF(LOADER) " stand-in: not the vendor's loader, programs nothing",
    DEVICE_TYPE,
    DEVICE_START,
    DEVICE_SIZE,
    PAGE_SIZE,
    0,
    ERASED_VALUE,
    PROGRAM_TIMEOUT_MS,
    ERASE_TIMEOUT_MS,
    {
        { SECTOR_SIZE, 0 },
        { END_OF_SECTORS, END_OF_SECTORS },
    },
};
