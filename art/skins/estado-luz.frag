    <!-- Lit tab: the current window, or a tab under the pointer -->
    <radialGradient id="halo" cx="0.5" cy="0.5" r="0.5">
      <stop offset="0.7" stop-color="{{ACENTO_CLARO}}" stop-opacity="0.75"/>
      <stop offset="1" stop-color="{{ACENTO_CLARO}}" stop-opacity="0"/>
    </radialGradient>
    <linearGradient id="anillo" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="{{ORO_CLARO}}"/>
      <stop offset="0.5" stop-color="{{ORO}}"/>
      <stop offset="1" stop-color="{{ORO_OSCURO}}"/>
    </linearGradient>
    <radialGradient id="disco" cx="0.5" cy="0.35" r="0.7">
      <stop offset="0" stop-color="{{ACENTO_CLARO}}"/>
      <stop offset="0.55" stop-color="{{ACENTO}}"/>
      <stop offset="1" stop-color="{{ACENTO_OSCURO}}"/>
    </radialGradient>
    <linearGradient id="tinta" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff"/>
      <stop offset="1" stop-color="{{ORO_CLARO}}"/>
    </linearGradient>
    <linearGradient id="titulo" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff"/>
      <stop offset="1" stop-color="{{ORO_CLARO}}"/>
    </linearGradient>
