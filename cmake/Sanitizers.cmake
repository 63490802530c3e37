# ZEPHLIN_SANITIZE selects an instrumented build:
#   address   AddressSanitizer with UndefinedBehaviorSanitizer
#   thread    ThreadSanitizer
set(ZEPHLIN_SANITIZE "" CACHE STRING "Sanitizer build: empty, address or thread")

if(ZEPHLIN_SANITIZE STREQUAL "address")
    set(_zephlin_sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=undefined
                                -fno-omit-frame-pointer)
elseif(ZEPHLIN_SANITIZE STREQUAL "thread")
    set(_zephlin_sanitize_flags -fsanitize=thread -fno-omit-frame-pointer)
elseif(NOT ZEPHLIN_SANITIZE STREQUAL "")
    message(FATAL_ERROR "ZEPHLIN_SANITIZE must be empty, address or thread")
endif()

if(_zephlin_sanitize_flags)
    add_compile_options(${_zephlin_sanitize_flags})
    add_link_options(${_zephlin_sanitize_flags})
endif()
