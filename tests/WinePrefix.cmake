# Makes (ACTION=create) or removes (ACTION=remove) the Wine prefix PREFIX that the tests run in.
# Without wine there is nothing to do: the tests that need it say so themselves.
find_program(WINE wine)
find_program(WINESERVER wineserver PATHS /usr/lib/wine)
if(NOT WINE)
    return()
endif()
set(ENV{WINEPREFIX} "${PREFIX}")
set(ENV{WINEDEBUG} "-all")
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
unset(ENV{DISPLAY})
if(ACTION STREQUAL "create")
    file(REMOVE_RECURSE "${PREFIX}")
    file(MAKE_DIRECTORY "${PREFIX}")
    # One server for the whole run, so that each test does not start its own. Wine's background
    # processes must not hold our output open, or this step would wait for them to end.
    execute_process(COMMAND sh -c "'${WINESERVER}' -p </dev/null >/dev/null 2>&1")
    execute_process(COMMAND sh -c "'${WINE}' cmd /c exit </dev/null >/dev/null 2>&1" TIMEOUT 300)
else()
    execute_process(COMMAND ${WINESERVER} -k OUTPUT_QUIET ERROR_QUIET)
    file(REMOVE_RECURSE "${PREFIX}")
endif()
