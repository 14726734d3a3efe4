// ESLint for the page's modules and the browser tests (`make check`).
import js from '@eslint/js';
import globals from 'globals';

export default [
  { ignores: ['build/', 'node_modules/'] },
  js.configs.recommended,
  {
    rules: {
      // A failure is handled, logged or passed on, never dropped.
      'no-empty': ['error', { allowEmptyCatch: false }],
      eqeqeq: ['error', 'always'],
      'no-var': 'error',
      'prefer-const': 'error',
    },
  },
  {
    files: ['app/web/**/*.js'],
    languageOptions: { sourceType: 'module', globals: globals.browser },
  },
  {
    // Node programs that drive the page; what they hand the page to run
    // there sees the page's globals and its one name for the tests.
    files: ['tests/app/web/**/*.js'],
    languageOptions: {
      sourceType: 'commonjs',
      globals: { ...globals.node, ...globals.browser, pinballPage: 'readonly' },
    },
  },
];
