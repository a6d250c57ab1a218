// Loaded into the Linux renderer with LD_PRELOAD by the toggle soak: counts the texture names it makes
// and deletes, the deletions made with no context current, and the names still alive when their
// context was destroyed; writes the counts to $ZORUN_GL_COUNTS after every such call.
#include <GL/glx.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

struct Counts {
    long generated = 0;
    long deleted = 0;
    long deletedWithoutContext = 0;
    long goneWithTheirContext = 0;
};

Counts counts;
std::map<GLXContext, long>& liveNames()
{
    static std::map<GLXContext, long> live;
    return live;
}

template <typename Function>
Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void writeCounts()
{
    const char* path = std::getenv("ZORUN_GL_COUNTS");
    if (path == nullptr)
        return;
    if (std::FILE* file = std::fopen(path, "w")) {
        std::fprintf(file, "%ld %ld %ld %ld\n", counts.generated, counts.deleted, counts.deletedWithoutContext,
                     counts.goneWithTheirContext);
        std::fclose(file);
    }
}

}  // namespace

extern "C" {

void glGenTextures(GLsizei n, GLuint* names)
{
    static const auto real = next<void (*)(GLsizei, GLuint*)>("glGenTextures");
    real(n, names);
    counts.generated += n;
    liveNames()[glXGetCurrentContext()] += n;
    writeCounts();
}

void glDeleteTextures(GLsizei n, const GLuint* names)
{
    static const auto real = next<void (*)(GLsizei, const GLuint*)>("glDeleteTextures");
    real(n, names);
    const GLXContext current = glXGetCurrentContext();
    counts.deleted += n;
    if (current == nullptr)
        counts.deletedWithoutContext += n;
    else
        liveNames()[current] -= n;
    writeCounts();
}

void glXDestroyContext(Display* display, GLXContext context)
{
    static const auto real = next<void (*)(Display*, GLXContext)>("glXDestroyContext");
    real(display, context);
    counts.goneWithTheirContext += liveNames()[context];
    liveNames().erase(context);
    writeCounts();
}
}
