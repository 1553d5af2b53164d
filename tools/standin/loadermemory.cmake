# The memory that each flash loader of the deployment list programs, read
# from its file name. Stand-in loaders describe this memory in their device
# descriptor, at the addresses and sizes that the device entries give it.

set(QN58_MAIN_FLASH_START 0x08000000)
set(QN58_EXTERNAL_FLASH_START 0x08400000)
# Loaders for an external flash of unstated size ("_GENERAL" or no size).
set(QN58_EXTERNAL_FLASH_DEFAULT_MB 16)

# Boot memory: base and size by series. QN58K3662 has a boot-memory loader
# but no device entry that names it; it takes the layout of the other small
# parts, group B.
set(QN58_BOOT_MEMORY_A 0x1FFFAC00 0x4800)
set(QN58_BOOT_MEMORY_B 0x1FFFE400 0x1000)
set(QN58_BOOT_MEMORY_C 0x1FFFA400 0x5000)
set(QN58_BOOT_MEMORY_D 0x1FFF7C00 0x6800)
set(QN58_BOOT_MEMORY_E 0x1FFF8000 0x7000)
set(QN58_BOOT_MEMORY_GROUP_QN58K528 A)
set(QN58_BOOT_MEMORY_GROUP_QN58VX617 A)
set(QN58_BOOT_MEMORY_GROUP_QN58K830 B)
set(QN58_BOOT_MEMORY_GROUP_QN58K774 B)
set(QN58_BOOT_MEMORY_GROUP_QN58P124 B)
set(QN58_BOOT_MEMORY_GROUP_QN58K949 B)
set(QN58_BOOT_MEMORY_GROUP_VC71K228 B)
set(QN58_BOOT_MEMORY_GROUP_QN58K3662 B)
set(QN58_BOOT_MEMORY_GROUP_QN58K699 C)
set(QN58_BOOT_MEMORY_GROUP_QN58K210 C)
set(QN58_BOOT_MEMORY_GROUP_QN58K569 C)
set(QN58_BOOT_MEMORY_GROUP_QN58R820 C)
set(QN58_BOOT_MEMORY_GROUP_QN58K872 C)
set(QN58_BOOT_MEMORY_GROUP_QN58K103 D)
set(QN58_BOOT_MEMORY_GROUP_QN58K518 D)
set(QN58_BOOT_MEMORY_GROUP_QN58K121 D)
set(QN58_BOOT_MEMORY_GROUP_QN58K410 D)
set(QN58_BOOT_MEMORY_GROUP_QN58N164 E)
set(QN58_BOOT_MEMORY_GROUP_QN58N229 E)
set(QN58_BOOT_MEMORY_GROUP_QN58K333 E)
set(QN58_BOOT_MEMORY_GROUP_QN58K624 E)
set(QN58_BOOT_MEMORY_GROUP_QN58K8395 E)

# User system data: 0x200 bytes at 0x1FFFF800 unless listed here. The two
# series with "_USD_512" and "_USD_4096" loaders put it at 0x1FFFC000 and
# take the size from the name.
set(QN58_USD_START 0x1FFFF800)
set(QN58_USD_SIZE 0x200)
set(QN58_USD_START_QN58K944 0x1FFFC000)
set(QN58_USD_START_QN58K192 0x1FFFC000)
foreach(series QN58K212 QN58K199 QN58K212A QN58K254 QN58R258A)
    set(QN58_USD_SIZE_${series} 0x30)
endforeach()
foreach(series QN58K528 QN58VX617)
    set(QN58_USD_SIZE_${series} 0x400)
endforeach()
foreach(series QN58K212E QN58K254E)
    set(QN58_USD_SIZE_${series} 0x100)
endforeach()

# Device types of the descriptor: on-chip flash, external SPI flash.
set(QN58_ON_CHIP 1)
set(QN58_EXTERNAL_SPI 5)

# Sets outVar to the descriptor's defines for the loader "name": DEVICE_TYPE,
# DEVICE_START, DEVICE_SIZE, PAGE_SIZE and SECTOR_SIZE (one uniform sector
# size). A name that stands for no known memory stops the configuration.
function(qn58_loader_memory name outVar)
    if(name MATCHES "^(.+)_USD(_([0-9]+))?\\.FLM$")
        set(series ${CMAKE_MATCH_1})
        set(type ${QN58_ON_CHIP})
        set(start ${QN58_USD_START})
        if(DEFINED QN58_USD_START_${series})
            set(start ${QN58_USD_START_${series}})
        endif()
        if(CMAKE_MATCH_3)
            math(EXPR size "${CMAKE_MATCH_3}" OUTPUT_FORMAT HEXADECIMAL)
        elseif(DEFINED QN58_USD_SIZE_${series})
            set(size ${QN58_USD_SIZE_${series}})
        else()
            set(size ${QN58_USD_SIZE})
        endif()
        # The area is written and erased as a whole.
        set(page ${size})
        set(sector ${size})
    elseif(name MATCHES "^(.+)_BOOTMEM_AP\\.FLM$")
        set(group ${QN58_BOOT_MEMORY_GROUP_${CMAKE_MATCH_1}})
        if(NOT group)
            message(FATAL_ERROR "No boot memory is known for the loader ${name}")
        endif()
        set(type ${QN58_ON_CHIP})
        list(GET QN58_BOOT_MEMORY_${group} 0 start)
        list(GET QN58_BOOT_MEMORY_${group} 1 size)
        set(page 0x400)
        set(sector 0x400)
    elseif(name MATCHES "_EXT_TYPE[12](_REAMP[01])?(_([0-9]+)MB|_GENERAL)?\\.FLM$")
        set(megabytes ${QN58_EXTERNAL_FLASH_DEFAULT_MB})
        if(CMAKE_MATCH_3)
            set(megabytes ${CMAKE_MATCH_3})
        endif()
        set(type ${QN58_EXTERNAL_SPI})
        set(start ${QN58_EXTERNAL_FLASH_START})
        math(EXPR size "${megabytes} * 1024 * 1024" OUTPUT_FORMAT HEXADECIMAL)
        set(page 0x100)
        set(sector 0x1000)
    elseif(name MATCHES "_([0-9]+)\\.FLM$")
        set(type ${QN58_ON_CHIP})
        set(start ${QN58_MAIN_FLASH_START})
        math(EXPR size "${CMAKE_MATCH_1} * 1024" OUTPUT_FORMAT HEXADECIMAL)
        set(page 0x400)
        set(sector 0x800)
    else()
        message(FATAL_ERROR "No memory is known for the loader ${name}")
    endif()
    set(${outVar}
        DEVICE_TYPE=${type} DEVICE_START=${start} DEVICE_SIZE=${size}
        PAGE_SIZE=${page} SECTOR_SIZE=${sector}
        PARENT_SCOPE)
endfunction()
