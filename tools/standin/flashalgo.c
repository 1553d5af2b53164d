/*
 * The code of a stand-in flash loader. It has the entry points that a flash
 * programmer calls in a CMSIS flash algorithm, and every one of them reports
 * failure, so that a build without the vendor's loaders can never appear to
 * have programmed a device. Built position-independent (code relative to the
 * PC, data relative to R9), as programmers load algorithms anywhere in RAM.
 */

#include <stdint.h>

enum { Failed = 1 };

/* Lets a debugger that is attached during a programming attempt see that the
   stand-in was reached. Lives in PrgData, which the programmer points R9 at. */
static volatile uint32_t refusedCalls;

static int refuse(void)
{
    ++refusedCalls;
    return Failed;
}

int Init(uint32_t address, uint32_t clock, uint32_t function)
{
    (void)address;
    (void)clock;
    (void)function;
    return refuse();
}

int UnInit(uint32_t function)
{
    (void)function;
    return refuse();
}

int EraseChip(void)
{
    return refuse();
}

int EraseSector(uint32_t address)
{
    (void)address;
    return refuse();
}

int ProgramPage(uint32_t address, uint32_t size, const uint8_t *data)
{
    (void)address;
    (void)size;
    (void)data;
    return refuse();
}
