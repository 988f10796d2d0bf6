// Defaults for the sanitizer runtimes of the tests and fuzz targets, so that every run, from
// CTest or by hand, stops at the first finding. Variables such as ASAN_OPTIONS still override
// them.

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESSIK_ADDRESS_SANITIZER 1
#endif
#if __has_feature(thread_sanitizer)
#define TESSIK_THREAD_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TESSIK_ADDRESS_SANITIZER 1
#endif
#if defined(__SANITIZE_THREAD__)
#define TESSIK_THREAD_SANITIZER 1
#endif

#if TESSIK_ADDRESS_SANITIZER
extern "C" const char* __asan_default_options() {
    return "halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:"
           "check_initialization_order=1:strict_init_order=1:strict_string_checks=1";
}
extern "C" const char* __ubsan_default_options() { return "halt_on_error=1:print_stacktrace=1"; }
#endif

#if TESSIK_THREAD_SANITIZER
// The suppressions cover libraries we do not build ourselves, never our own code.
extern "C" const char* __tsan_default_options() {
    return "halt_on_error=1:second_deadlock_stack=1:suppressions=" TESSIK_THREAD_SUPPRESSIONS;
}
#endif
