// Stand-ins for the parts of the C++ runtime that static linking would otherwise copy into
// every deliverable for errors nothing here catches: the standard library's throw helpers
// (each drags in the exception classes, a second string implementation and the unwinder),
// operator new's bad_alloc and the pure-virtual call's verbose terminate handler with its
// demangler. Each ends the process the way the uncaught exception would have.
#include <cstdlib>
#include <new>

namespace std {

[[noreturn]] void __throw_bad_exception() { abort(); }
[[noreturn]] void __throw_bad_alloc() { abort(); }
[[noreturn]] void __throw_bad_array_new_length() { abort(); }
[[noreturn]] void __throw_bad_cast() { abort(); }
[[noreturn]] void __throw_bad_typeid() { abort(); }
[[noreturn]] void __throw_logic_error(const char*) { abort(); }
[[noreturn]] void __throw_domain_error(const char*) { abort(); }
[[noreturn]] void __throw_invalid_argument(const char*) { abort(); }
[[noreturn]] void __throw_length_error(const char*) { abort(); }
[[noreturn]] void __throw_out_of_range(const char*) { abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { abort(); }
[[noreturn]] void __throw_runtime_error(const char*) { abort(); }
[[noreturn]] void __throw_range_error(const char*) { abort(); }
[[noreturn]] void __throw_overflow_error(const char*) { abort(); }
[[noreturn]] void __throw_underflow_error(const char*) { abort(); }
[[noreturn]] void __throw_ios_failure(const char*) { abort(); }
[[noreturn]] void __throw_ios_failure(const char*, int) { abort(); }
[[noreturn]] void __throw_system_error(int) { abort(); }
[[noreturn]] void __throw_future_error(int) { abort(); }
[[noreturn]] void __throw_bad_function_call() { abort(); }

}  // namespace std

extern "C" [[noreturn]] void __cxa_pure_virtual() { abort(); }
extern "C" [[noreturn]] void __cxa_deleted_virtual() { abort(); }

namespace {

void* Allocate(std::size_t nBytes)
{
    if (void* p = std::malloc(nBytes ? nBytes : 1))
        return p;
    abort();
}

void* TryAllocate(std::size_t nBytes) noexcept
{
    return std::malloc(nBytes ? nBytes : 1);
}

}  // namespace

void* operator new(std::size_t nBytes) { return Allocate(nBytes); }
void* operator new[](std::size_t nBytes) { return Allocate(nBytes); }
void* operator new(std::size_t nBytes, const std::nothrow_t&) noexcept { return TryAllocate(nBytes); }
void* operator new[](std::size_t nBytes, const std::nothrow_t&) noexcept { return TryAllocate(nBytes); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
