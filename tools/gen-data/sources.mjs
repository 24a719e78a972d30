// Fetches the pinned npm packages the data are made from, checks that each
// tarball is byte for byte the one the data were made from, and unpacks it.
//
// Everything lands in tools/.cache/ (git-ignored). A tarball already in the
// cache with the right digest is used as it is, so a second run needs no
// network at all.

import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { existsSync, mkdirSync, readFileSync, rmSync } from 'node:fs';
import { join } from 'node:path';

// The digests are npm's own "integrity" values for these exact versions. A
// different tarball would give different data files, so a mismatch is fatal
// rather than a warning.
export const PACKAGES = {
    'world-atlas': {
        version: '2.0.2',
        integrity:
            'sha512-IXfV0qwlKXpckz1FhwXVwKRjiIhOnWttOskm5CtxMsjgE/MXAYRHWJqgXOpM8IkcPBoXnyTU5lFHcYa5ChG0LQ==',
    },
    'sea-ports': {
        version: '0.0.9',
        integrity:
            'sha512-mJFQzVPWBfod7H65NxJuM4TCBp1fHzb9YmVpoPIui77ogckOqaheSaAXcsJ6hN9MAszSdJLlAih7oJMZLqwRrg==',
    },
};

function integrityOf(file) {
    return 'sha512-' + createHash('sha512').update(readFileSync(file)).digest('base64');
}

// Returns the folder holding the unpacked package (its "package/" folder).
export function fetchPackage(cacheDir, name) {
    const { version, integrity } = PACKAGES[name];
    const tgz = join(cacheDir, `${name}-${version}.tgz`);
    mkdirSync(cacheDir, { recursive: true });
    if (!existsSync(tgz) || integrityOf(tgz) !== integrity) {
        // npm pack downloads the registry tarball without running any of the
        // package's scripts; its own cache also stays inside tools/.cache/.
        execFileSync(
            'npm',
            ['pack', `${name}@${version}`, '--pack-destination', cacheDir, '--cache',
             join(cacheDir, 'npm'), '--silent'],
            { stdio: ['ignore', 'ignore', 'inherit'] });
    }
    const got = integrityOf(tgz);
    if (got !== integrity) {
        throw new Error(`${tgz}: digest ${got} is not the pinned ${integrity}`);
    }
    const dir = join(cacheDir, `${name}-${version}`);
    rmSync(dir, { recursive: true, force: true });
    mkdirSync(dir, { recursive: true });
    execFileSync('tar', ['-xzf', tgz, '-C', dir]);
    return join(dir, 'package');
}
