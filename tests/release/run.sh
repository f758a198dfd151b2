#!/usr/bin/env bash
# Builds the release as scripts/release does, from the working tree with
# its uncommitted changes, into build/release-work (artifacts in
# build/release-work/dist), then checks it: the notices generator on made-up
# link maps, the artifacts themselves, the MSI under Wine, and signing.
# scripts/check-reproducible then builds it again elsewhere and compares.
set -euo pipefail
cd "$(dirname "$0")/../.."
work=build/release-work
dist=$work/dist
started=$SECONDS

step() {
    local label=$1 begun=$SECONDS
    shift
    echo "-- $label"
    if ! "$@"; then
        echo "test-release: $label failed (output above)" >&2
        exit 1
    fi
    timings+=("$label $((SECONDS - begun)) s")
}
timings=()

step "scripts/release" scripts/release --include-uncommitted --work "$work" --dist "$dist"
step "the notices generator" tests/release/notices-test.sh
step "the artifacts" tests/release/artifacts-test.sh "$work" "$dist"
step "the MSI under Wine" timeout 300 tests/release/msi-test.sh "$work" "$dist"
step "signing" tests/release/signing-test.sh "$work" --include-uncommitted

echo "-- Release tests took $((SECONDS - started)) s: $(printf '%s; ' "${timings[@]}")"
