# Reads the publisher's key the way a build configures it: cmake -DKEY=FILE -P read_update_key.cmake
# prints the base64 that the programs would embed, or stops with the configuration's message.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/UpdatePublicKey.cmake)
enneo_read_update_public_key("${KEY}" key)
message("${key}")
