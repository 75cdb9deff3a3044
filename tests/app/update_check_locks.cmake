# Run by CTest after the update check tests are listed: they use the test update service,
# as the updater's tests do, and start the real program in the tree's prefix, as the
# other window tests do, so they hold both locks.
if(update_check_tests_TESTS)
    set_tests_properties(${update_check_tests_TESTS} PROPERTIES RESOURCE_LOCK "enneo_update_service;enneo_game_owner")
endif()
