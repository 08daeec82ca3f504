# The include check run over reaches_outward.hpp as if it were part of the services ring.
set(RING norvtext/services)
set(FILES ${CMAKE_CURRENT_LIST_DIR}/reaches_outward.hpp)
set(FORBIDDEN norvtext/headless/ apps/ qt/ designer/)
