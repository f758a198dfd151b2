#include "SoundThemeBell.h"

#include "Version.h"

#include <dlfcn.h>

namespace {

template <class Function>
Function symbol(void* library, const char* name)
{
    return reinterpret_cast<Function>(dlsym(library, name));
}

} // namespace

SoundThemeBell::SoundThemeBell()
{
    // Never closed: the library's sound threads may outlive a context, and
    // it is loaded at most once per process.
    void* library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return;
    const auto create = symbol<decltype(&ca_context_create)>(library, "ca_context_create");
    const auto changeProps = symbol<decltype(&ca_context_change_props)>(library, "ca_context_change_props");
    play_ = symbol<decltype(&ca_context_play)>(library, "ca_context_play");
    destroy_ = symbol<decltype(&ca_context_destroy)>(library, "ca_context_destroy");
    if (!create || !changeProps || !play_ || !destroy_ || create(&context_) != CA_SUCCESS) {
        context_ = nullptr;
        return;
    }
    // Lets a sound server show whose sound it plays.
    changeProps(context_, CA_PROP_APPLICATION_NAME, MARROWVALE_NAME, CA_PROP_APPLICATION_ID, MARROWVALE_APP_ID,
                nullptr);
}

SoundThemeBell::~SoundThemeBell()
{
    if (context_)
        destroy_(context_);
}

bool SoundThemeBell::ring()
{
    return context_ && play_(context_, 0, CA_PROP_EVENT_ID, "bell", nullptr) == CA_SUCCESS;
}
