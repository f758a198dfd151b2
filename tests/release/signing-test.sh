#!/usr/bin/env bash
# Signing in scripts/release with a throwaway self-signed code-signing
# certificate made here (never kept): the exe inside the zip and the MSI
# verify against it, and the exe without its signature is the one the build
# made, so a signed release can still be checked against a rebuild. Signing
# settings that name no readable file stop the release before it builds.
# Usage: signing-test.sh WORK [scripts/release options]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
release=$here/../../scripts/release
work=$(cd "$1" && pwd)
shift

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

openssl req -x509 -newkey rsa:3072 -nodes -keyout "$scratch/key.pem" -out "$scratch/cert.pem" -days 2 \
    -subj "/CN=Marrowvale throwaway test signer" -addext "keyUsage=critical,digitalSignature" \
    -addext "extendedKeyUsage=codeSigning" 2>"$scratch/openssl.log"
head -c 24 /dev/urandom | base64 >"$scratch/password"
openssl pkcs12 -export -inkey "$scratch/key.pem" -in "$scratch/cert.pem" -out "$scratch/signer.p12" \
    -passout "file:$scratch/password"

# settings | what the release must say, on failing
refused=(
"MARROWVALE_SIGN_PKCS12=$scratch/none.p12 MARROWVALE_SIGN_PASSWORD_FILE=$scratch/password|MARROWVALE_SIGN_PKCS12 names '$scratch/none.p12', which is no readable file"
"MARROWVALE_SIGN_PKCS12=$scratch/signer.p12 MARROWVALE_SIGN_PASSWORD_FILE=$scratch|MARROWVALE_SIGN_PASSWORD_FILE names '$scratch', which is no readable file"
"MARROWVALE_SIGN_PKCS12=$scratch/signer.p12|MARROWVALE_SIGN_PASSWORD_FILE is not set"
"MARROWVALE_SIGN_TIMESTAMP_URL=http://localhost:9/|MARROWVALE_SIGN_PKCS12 and MARROWVALE_SIGN_PASSWORD_FILE are not"
)
for row in "${refused[@]}"; do
    IFS='|' read -r settings message <<<"$row"
    status=0
    # shellcheck disable=SC2086 # the settings are words of VARIABLE=value
    env -u MARROWVALE_SIGN_PKCS12 -u MARROWVALE_SIGN_PASSWORD_FILE -u MARROWVALE_SIGN_TIMESTAMP_URL $settings \
        "$release" --work "$scratch/never" --dist "$scratch/never" >"$scratch/out" 2>&1 || status=$?
    if [ "$status" -eq 0 ] || ! grep -qF -- "$message" "$scratch/out"; then
        fail "with $settings the release ended with status $status saying: $(tail -n 3 "$scratch/out")"
    elif [ -e "$scratch/never" ]; then
        fail "with $settings the release made $scratch/never before refusing"
    fi
done

env -u MARROWVALE_SIGN_TIMESTAMP_URL MARROWVALE_SIGN_PKCS12="$scratch/signer.p12" \
    MARROWVALE_SIGN_PASSWORD_FILE="$scratch/password" \
    "$release" "$@" --work "$work" --dist "$scratch/dist" >"$scratch/release.log" 2>&1 \
    || { cat "$scratch/release.log"; echo "signing-test: the signed release failed (output above)" >&2; exit 1; }
version=$(cat "$work/windows/release/version")
unzip -q "$scratch/dist/Marrowvale-$version-win64.zip" -d "$scratch/zip"
exe=$scratch/zip/Marrowvale-$version/Marrowvale.exe
for file in "$exe" "$scratch/dist/Marrowvale-$version-x64.msi"; do
    osslsigncode verify -CAfile "$scratch/cert.pem" -in "$file" >"$scratch/verify.log" 2>&1 \
        || fail "osslsigncode verify -CAfile: $(basename "$file") $(grep -v '^$' "$scratch/verify.log" | tail -n 3)"
done
osslsigncode remove-signature -in "$exe" -out "$scratch/unsigned.exe" >/dev/null
cmp -s "$scratch/unsigned.exe" "$work/install/bin/Marrowvale.exe" \
    || fail "the signed Marrowvale.exe without its signature is not the one the build made"

if [ "$failures" -gt 0 ]; then
    echo "signing-test: $failures checks failed" >&2
    exit 1
fi
echo "PASS: refused ${#refused[@]} signing settings that name no file; signed and verified the exe and the MSI"
