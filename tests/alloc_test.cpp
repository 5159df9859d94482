// Heap discipline: once running, the program allocates nothing. This executable replaces
// malloc and its kin (forwarding to glibc's own) and operator new with counting versions.
#include "scene/input.h"
#include "shell/shell.h"
#include "support.h"
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <new>
#include <string>

extern "C" void *__libc_malloc(size_t size);
extern "C" void *__libc_calloc(size_t count, size_t size);
extern "C" void *__libc_realloc(void *block, size_t size);
extern "C" void *__libc_memalign(size_t alignment, size_t size);
extern "C" void __libc_free(void *block);

static bool counting;    // allocations are counted while this is set
static long allocations; // blocks handed out while counting

static void *counted(void *block)
{
    if (counting)
        allocations++;
    return block;
}

extern "C" void *malloc(size_t size) noexcept
{
    return counted(__libc_malloc(size));
}

extern "C" void *calloc(size_t count, size_t size) noexcept
{
    return counted(__libc_calloc(count, size));
}

extern "C" void *realloc(void *block, size_t size) noexcept
{
    return counted(__libc_realloc(block, size));
}

extern "C" void *memalign(size_t alignment, size_t size) noexcept
{
    return counted(__libc_memalign(alignment, size));
}

extern "C" void *aligned_alloc(size_t alignment, size_t size) noexcept
{
    return counted(__libc_memalign(alignment, size));
}

extern "C" int posix_memalign(void **block, size_t alignment, size_t size) noexcept
{
    *block = counted(__libc_memalign(alignment, size));
    return *block == nullptr ? ENOMEM : 0;
}

extern "C" void free(void *block) noexcept
{
    __libc_free(block);
}

// operator new goes through the counting malloc, so a block is counted once however it came.
void *operator new(size_t size)
{
    if (void *block = malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void *block) noexcept
{
    free(block);
}

void operator delete(void *block, size_t) noexcept
{
    free(block);
}

// Keeps the compiler from eliding an allocation whose block is never used.
static void *volatile sink;

// The control: each way a program can take heap memory is seen, exactly once.
TEST(AllocationCounter, SeesEveryWayOfAllocating)
{
    const struct {
        const char *what;
        void (*allocate)();
    } ways[] = {
        {"malloc", [] { free(sink = malloc(16)); }},
        {"calloc", [] { free(sink = calloc(4, 4)); }},
        {"realloc of nothing", [] { free(sink = realloc(nullptr, 16)); }},
        {"aligned_alloc", [] { free(sink = aligned_alloc(64, 64)); }},
        {"strdup", [] { free(sink = strdup("a string")); }},
        {"new", [] { delete static_cast<int *>(sink = new int(1)); }},
        {"new[]", [] { delete[] static_cast<int *>(sink = new int[4]); }},
        {"a long std::string", [] { sink = &std::string(64, 'x')[0]; }},
    };
    for (const auto &way : ways) {
        SCOPED_TRACE(way.what);
        allocations = 0;
        counting = true;
        way.allocate();
        counting = false;
        EXPECT_EQ(allocations, 1);
    }
}

constexpr int FRAMES = 1000;
constexpr int MOST_EVENTS_A_FRAME = 8;
constexpr unsigned EVENT_SEED = 4; // any fixed seed: the same events on every run

// The whole run, start-up included, of FRAMES frames with random events, against stand-ins
// that only answer.
TEST_F(Program, AThousandFramesWithRandomEventsAllocateNothing)
{
    std::mt19937 random(EVENT_SEED);
    for (int frame = 1; frame < FRAMES; frame++) {
        fake_drains.emplace_back();
        for (int event = random() % (MOST_EVENTS_A_FRAME + 1); event > 0; event--)
            fake_drains.back().push_back(randomEvent(random));
    }
    fake_drains.push_back({mouseMotion(1, 2), quitRequest()});
    fake_recording = false;

    allocations = 0;
    counting = true;
    const int status = RunGLTest();
    counting = false;

    EXPECT_EQ(status, 0);
    EXPECT_EQ(allocations, 0);
    EXPECT_TRUE(fake_drains.empty()) << "all " << FRAMES << " frames ran";
    EXPECT_EQ(mx, 1) << "the last drain was handled";
}
