#pragma once
#include "list/detached_list_host.h"

namespace tarvoline::testing {

using FakeListHost = DetachedListHost;

} // namespace tarvoline::testing
