#pragma once
// SQLite's memory for the fuzzers that write hives, from free lists of their own.
//
// Every statement SQLite steps takes and gives back a few blocks (this SQLite is built
// without its lookaside allocator). Under AddressSanitizer each of those costs a stack
// trace, a quarantine entry and cold pages, and together they took most of an input's
// time. Here a block is reused from its size class instead, and the sanitizer still
// guards it: the bytes past the size asked for, the block's header, and a block while it
// is free are poisoned by hand, so an overrun or a use after free is still reported. A
// freed block waits behind kReuseDelay others of its class before it is handed out again.
// The program itself keeps the system allocator.

#include <sqlite3.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <sys/mman.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/asan_interface.h>
#include <sanitizer/lsan_interface.h>
#define HORVANE_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define HORVANE_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#define HORVANE_LEAK_ROOTS(address, size) __lsan_register_root_region(address, size)
#endif
#endif
#ifndef HORVANE_POISON
#define HORVANE_POISON(address, size) ((void)(address), (void)(size))
#define HORVANE_UNPOISON(address, size) ((void)(address), (void)(size))
#define HORVANE_LEAK_ROOTS(address, size) ((void)(address), (void)(size))
#endif

namespace horvane::fuzz {

class SqliteMemoryPool {
public:
    // Hands SQLite's allocations to the pool; call before SQLite's first use.
    static bool Install() {
        static const sqlite3_mem_methods methods = {&Malloc,  &Free, &Realloc,  &Size,
                                                    &Roundup, &Init, &Shutdown, nullptr};
        return sqlite3_config(SQLITE_CONFIG_MALLOC, &methods) == SQLITE_OK &&
               sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
    }

private:
    // Blocks of 16 << class bytes, the largest class 64 KiB; larger ones come from malloc.
    static constexpr int kClasses = 13;
    static constexpr int kFromMalloc = kClasses;
    static constexpr std::size_t kSmallest = 16;
    static constexpr std::size_t kReuseDelay = 64;
    // The pool's blocks are cut from regions of this size, mapped for it alone: libFuzzer
    // looks for leaks after any input that took more blocks from malloc than it gave back,
    // and a pool that keeps its blocks would look like one. LeakSanitizer is told to follow
    // the pointers that SQLite keeps in them.
    static constexpr std::size_t kRegionBytes = std::size_t(4) << 20;

    struct alignas(16) Header {
        union {
            std::size_t size; // in use: the bytes asked for
            Header* next;     // free: the block freed after it
        };
        int sizeClass;
    };

    struct FreeList {
        Header* oldest = nullptr;
        Header* newest = nullptr;
        std::size_t length = 0;
    };

    struct Pool {
        std::mutex mutex;
        FreeList free[kClasses];
        char* next = nullptr;
        char* end = nullptr;
    };

    static Pool& ThePool() {
        static Pool pool;
        return pool;
    }

    static int ClassOf(std::size_t size) {
        int sizeClass = 0;
        while (sizeClass < kClasses && (kSmallest << sizeClass) < size)
            ++sizeClass;
        return sizeClass;
    }

    static std::size_t Capacity(const Header& header) {
        return header.sizeClass == kFromMalloc ? header.size : kSmallest << header.sizeClass;
    }

    // A block of the class, its header unpoisoned: a freed one that has waited long
    // enough, or a new one.
    static Header* Take(int sizeClass) {
        Pool& pool = ThePool();
        const std::size_t bytes = sizeof(Header) + (kSmallest << sizeClass);
        std::lock_guard lock(pool.mutex);
        FreeList& list = pool.free[sizeClass];
        if (list.length > kReuseDelay) {
            Header* header = list.oldest;
            HORVANE_UNPOISON(header, sizeof(Header));
            list.oldest = header->next;
            --list.length;
            return header;
        }
        if (std::size_t(pool.end - pool.next) < bytes) {
            void* region = mmap(nullptr, kRegionBytes, PROT_READ | PROT_WRITE,
                                MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (region == MAP_FAILED)
                return nullptr;
            HORVANE_LEAK_ROOTS(region, kRegionBytes);
            pool.next = static_cast<char*>(region);
            pool.end = pool.next + kRegionBytes;
        }
        Header* header = reinterpret_cast<Header*>(pool.next);
        pool.next += bytes;
        return header;
    }

    static void Give(Header* header) {
        Pool& pool = ThePool();
        std::lock_guard lock(pool.mutex);
        FreeList& list = pool.free[header->sizeClass];
        header->next = nullptr;
        if (list.newest) {
            HORVANE_UNPOISON(list.newest, sizeof(Header));
            list.newest->next = header;
            HORVANE_POISON(list.newest, sizeof(Header));
        } else {
            list.oldest = header;
        }
        list.newest = header;
        ++list.length;
        HORVANE_POISON(header, sizeof(Header) + Capacity(*header));
    }

    static void* Malloc(int requested) {
        const std::size_t size = requested > 0 ? std::size_t(requested) : 1;
        const int sizeClass = ClassOf(size);
        Header* header = sizeClass < kClasses ? Take(sizeClass) : nullptr;
        if (header) {
            header->sizeClass = sizeClass;
        } else {
            header = static_cast<Header*>(std::malloc(sizeof(Header) + size));
            if (!header)
                return nullptr;
            header->sizeClass = kFromMalloc;
        }
        header->size = size;
        char* block = reinterpret_cast<char*>(header + 1);
        HORVANE_UNPOISON(block, size);
        HORVANE_POISON(block + size, Capacity(*header) - size);
        HORVANE_POISON(header, sizeof(Header));
        return block;
    }

    static Header* HeaderOf(void* block) {
        Header* header = static_cast<Header*>(block) - 1;
        HORVANE_UNPOISON(header, sizeof(Header));
        return header;
    }

    static void Free(void* block) {
        if (!block)
            return;
        Header* header = HeaderOf(block);
        if (header->sizeClass == kFromMalloc)
            std::free(header);
        else
            Give(header);
    }

    static int Size(void* block) {
        if (!block)
            return 0;
        Header* header = HeaderOf(block);
        const int size = int(header->size);
        HORVANE_POISON(header, sizeof(Header));
        return size;
    }

    static void* Realloc(void* block, int requested) {
        const int old = Size(block);
        void* moved = Malloc(requested);
        if (moved && block) {
            std::memcpy(moved, block, std::size_t(std::min(old, requested)));
            Free(block);
        }
        return moved;
    }

    static int Roundup(int size) { return size; }
    static int Init(void*) { return SQLITE_OK; }
    static void Shutdown(void*) {}
};

} // namespace horvane::fuzz
