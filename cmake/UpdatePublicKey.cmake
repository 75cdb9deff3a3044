# enneo_read_update_public_key(FILE OUT): sets OUT to the base64 text of the publisher's
# public key in FILE, a PEM "PUBLIC KEY" of an ECDSA P-256 key such as
# scripts/make-update-key.sh writes to update-public.pem. Anything else stops the
# configuration with a message that says why; above all a private key, which a build
# would otherwise compile into every copy of the program.
function(enneo_read_update_public_key file out)
    if(NOT EXISTS "${file}" OR IS_DIRECTORY "${file}")
        message(FATAL_ERROR "The update public key ${file} does not exist")
    endif()
    file(READ "${file}" pem LIMIT 4096)
    if(pem MATCHES "PRIVATE KEY")
        message(FATAL_ERROR "${file} holds a PRIVATE key. A build embeds the public key only: give it "
                            "update-public.pem (scripts/make-update-key.sh), and keep the private key out of "
                            "every build and repository.")
    endif()
    string(CONCAT wrong "${file} is not an ECDSA P-256 public key: a PEM \"PUBLIC KEY\" as "
                        "scripts/make-update-key.sh writes to update-public.pem")
    # The whole file is the armour and base64 lines between them.
    if(NOT pem MATCHES "^[\r\n\t ]*-----BEGIN PUBLIC KEY-----[\r\n]+([A-Za-z0-9+/=\r\n]+)-----END PUBLIC KEY-----[\r\n\t ]*$")
        message(FATAL_ERROR "${wrong}")
    endif()
    string(REGEX REPLACE "[\r\n]" "" key "${CMAKE_MATCH_1}")
    # The DER of every P-256 key starts with the same 27 bytes (its algorithm and curve,
    # and an uncompressed point), 36 base64 characters; 91 bytes in all are 124.
    string(LENGTH "${key}" length)
    if(NOT length EQUAL 124 OR NOT key MATCHES "^MFkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDQgAE[A-Za-z0-9+/]+==$")
        message(FATAL_ERROR "${wrong}")
    endif()
    set(${out} "${key}" PARENT_SCOPE)
endfunction()
