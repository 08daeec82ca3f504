// A header of the services ring that reaches outward twice, for the include check's own test
// (tests/layering/reaches_outward.cmake); nothing compiles it.
#include "norvtext/platform/variant.hpp"
#include "norvtext/headless/memory_host.hpp"
#  include <qt/controls.hpp>
