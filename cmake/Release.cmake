# This version and its date: the project's version, the manual pages, the changelog and the
# AppStream release, and the file times of a package built outside git (scripts/package).
# Kept apart from CMakeLists.txt so that scripts read them too (scripts/lib/release.sh).
set(QUARVEL_RELEASE_VERSION 1.0.0)
set(QUARVEL_RELEASE_DATE 2026-12-10)
set(QUARVEL_RELEASE_DATE_RFC2822 "Thu, 10 Dec 2026 12:00:00 +0000")
