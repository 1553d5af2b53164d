/*
 * The layout that flash programmers expect of a flash algorithm: the code
 * from address 0, padded to a word so that the data follows it directly,
 * and the data in a load segment of its own. The programmer points R9 at
 * the data, and the linker takes R9-relative offsets from the start of the
 * data's segment, so both agree only when the data starts a segment.
 */

PHDRS
{
    code PT_LOAD;
    data PT_LOAD;
    descriptor PT_LOAD;
}

SECTIONS
{
    PrgCode 0 : {
        *(.text .text.*)
        *(.rodata .rodata.*)
        . = ALIGN(4);
    } :code

    PrgData : {
        *(.data .data.*)
        *(.bss .bss.*)
        *(COMMON)
    } :data

    DevDscr : {
        KEEP(*(DevDscr))
    } :descriptor

    /DISCARD/ : {
        *(.ARM.exidx*)
        *(.ARM.extab*)
    }
}
