<?php
// The update service: GET /versions/index.php?name=<program> answers the XML reply that
// offers that program's current release (see common/util/version/UpdateInfo.h).
//
// The releases are the data file releases.json beside this one, written by
// scripts/release.sh: {"<program>": {"version": ..., "downloadUrl": ..., "updaterUrl": ...,
// "updaterSignature": ..., "downloadSignature": ..., "latestVersion": ...,
// "latestExpires": ..., "latestSignature": ..., "latestArchitectureSignature": ...}}; the
// last four, the signed latest statement (the signature of its older form without the
// architecture, which programs installed before read, and of the form naming it),
// scripts/resign-latest.py signs anew before it expires. The name only ever
// selects an entry of that file, never a path. An unknown, malformed or missing name
// answers 404.
//
// From the command line, `php index.php NAME` prints the reply's body for NAME (for a
// server without PHP that serves a prepared reply file); it fails for an unknown name.

declare(strict_types=1);

const RELEASES_FILE = __DIR__ . '/releases.json';
const NAME_PATTERN = '/^[A-Za-z0-9_-]{1,64}$/D';
// The reply's elements after the empty "message", in the order they are written.
const ELEMENTS = ['version', 'downloadUrl', 'updaterUrl', 'updaterSignature', 'downloadSignature',
                  'latestVersion', 'latestExpires', 'latestSignature', 'latestArchitectureSignature'];

// The reply for the program called $name, or null when it has no release here.
// Throws when the data file is missing or malformed.
function release_reply(mixed $name): ?string
{
    if (!is_string($name) || preg_match(NAME_PATTERN, $name) !== 1) {
        return null;
    }
    $text = file_get_contents(RELEASES_FILE);
    if ($text === false) {
        throw new RuntimeException('cannot read ' . RELEASES_FILE);
    }
    $releases = json_decode($text, true, 4, JSON_THROW_ON_ERROR);
    $release = is_array($releases) ? ($releases[$name] ?? null) : null;
    if (!is_array($release)) {
        return null;
    }
    $body = '<message/>';
    foreach (ELEMENTS as $element) {
        $value = $release[$element] ?? null;
        if (!is_string($value)) {
            throw new RuntimeException("the release of $name has no text \"$element\"");
        }
        $body .= "<$element>" . htmlspecialchars($value, ENT_XML1 | ENT_QUOTES, 'UTF-8') . "</$element>";
    }
    return "<?xml version='1.0' encoding='UTF-8'?>\n<update>$body</update>\n";
}

if (PHP_SAPI === 'cli') {
    $reply = release_reply($argv[1] ?? null);
    if ($reply === null) {
        fwrite(STDERR, "index.php: no release for that name\n");
        exit(1);
    }
    echo $reply;
    exit(0);
}

// Every answer, the refusals included, is for this request only: a cached reply would
// hide a new release.
header('Cache-Control: no-store');
$method = $_SERVER['REQUEST_METHOD'] ?? '';
if ($method !== 'GET' && $method !== 'HEAD') {
    http_response_code(405);
    header('Allow: GET, HEAD');
    exit;
}
try {
    $reply = release_reply($_GET['name'] ?? null);
} catch (Throwable $error) {
    error_log('update service: ' . $error->getMessage());
    http_response_code(500);
    header('Content-Type: text/plain; charset=UTF-8');
    echo "The update service has no valid release data.\n";
    exit;
}
if ($reply === null) {
    http_response_code(404);
    header('Content-Type: text/plain; charset=UTF-8');
    echo "No release of that name.\n";
    exit;
}
header('Content-Type: text/xml; charset=UTF-8');
echo $reply;
